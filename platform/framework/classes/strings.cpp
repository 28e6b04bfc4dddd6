#include "framework/classes/strings.h"

#include <algorithm>

#include "framework/classes/published.h"

const TClassInfo& TStrings::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStrings>::Abstract("TStrings", TPersistent::StaticClass());
    return info;
}
const TClassInfo& TStringList::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStringList>::Abstract("TStringList", TStrings::StaticClass());
    return info;
}

TStrings::~TStrings() = default;
TStringList::~TStringList() = default;

const AnsiString& TStrings::Strings(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", index));
    return FItems[static_cast<size_t>(index)];
}

void TStrings::SetStrings(int index, const AnsiString& value) {
    Strings(index);
    FItems[static_cast<size_t>(index)] = value;
    Changed();
}

int TStrings::Add(const AnsiString& value) {
    FItems.push_back(value);
    Changed(TStringsChange::Appended);
    return Count() - 1;
}

void TStrings::Insert(int index, const AnsiString& value) {
    if (index < 0 || index > Count()) throw EListError(Format("List index out of bounds (%d)", index));
    FItems.insert(FItems.begin() + index, value);
    Changed();
}

void TStrings::Delete(int index) {
    Strings(index);
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStrings::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

int TStrings::IndexOf(const AnsiString& value) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(FItems[static_cast<size_t>(i)], value)) return i;
    return -1;
}

AnsiString TStrings::Text() const {
    AnsiString text;
    for (const AnsiString& s : FItems) text += s + "\r\n";
    return text;
}

void TStrings::SetText(const AnsiString& text) {
    FItems.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == AnsiString::npos) end = text.size();
        FItems.push_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    Changed();
}

void TStrings::Assign(const TPersistent* source) {
    if (auto other = ObjectAs<TStrings>(const_cast<TPersistent*>(source))) {
        FItems = other->FItems;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer) { filer.DefineStringsProperty("Strings", this, Count() > 0); }

void TStrings::Changed(TStringsChange change) {
    FLastChange = change;
    OnChange(this);
}
