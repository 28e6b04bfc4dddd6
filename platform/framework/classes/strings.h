// A list of strings that streams itself as one value of a form.
#pragma once
#include <vector>

#include "framework/classes/object.h"

// What the last change to a list did, for a view that copies it: one line
// added at the end, or anything else.
enum class TStringsChange { Any, Appended };

class TStrings : public TPersistent {
    FRAME_CLASS(TStrings, TPersistent)
public:
    ~TStrings() override;
    int Count() const { return static_cast<int>(FItems.size()); }
    const AnsiString& Strings(int index) const;
    void SetStrings(int index, const AnsiString& value);
    int Add(const AnsiString& value);
    void Insert(int index, const AnsiString& value);
    void Delete(int index);
    void Clear();
    int IndexOf(const AnsiString& value) const;
    // Lines joined with CR LF, each line ended; SetText splits on CR, LF or CR LF.
    AnsiString Text() const;
    void SetText(const AnsiString& text);
    const std::vector<AnsiString>& Items() const { return FItems; }

    void Assign(const TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;
    TStringsChange LastChange() const { return FLastChange; }

private:
    void Changed(TStringsChange change = TStringsChange::Any);
    std::vector<AnsiString> FItems;
    TStringsChange FLastChange = TStringsChange::Any;
};

class TStringList : public TStrings {
    FRAME_CLASS(TStringList, TStrings)
public:
    ~TStringList() override;
};
