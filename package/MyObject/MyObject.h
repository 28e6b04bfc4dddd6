// Unit MyObject: two small objects that take lines of text. TMyObject
// writes each line to the process's standard output; TListHierarchy keeps
// them in a list of its own and prints nothing. Each widget and pallet of
// the package owns a TListHierarchy.
#pragma once
#include <memory>

#include "framework/framework.h"

class TMyObject : public TObject {
    FRAME_CLASS(TMyObject, TObject)
public:
    TMyObject();
    ~TMyObject() override;
    // The text and a line feed, printed with "%s\n".
    virtual void WriteLine(AnsiString Text);
};

class TListHierarchy : public TMyObject {
    FRAME_CLASS(TListHierarchy, TMyObject)
public:
    TListHierarchy();
    // Frees the lines before the inherited destructor runs.
    ~TListHierarchy() override;
    // Appends the text as a line of its own.
    void WriteLine(AnsiString Text) override;
    const TStringList* Lines() const { return FLines.get(); }

private:
    std::unique_ptr<TStringList> FLines;
};
