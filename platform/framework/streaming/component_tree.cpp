#include "framework/streaming/component_tree.h"

bool TFormValue::operator==(const TFormValue& other) const {
    // A float's text is only how it was written; the number decides.
    return kind == other.kind && integer == other.integer && number == other.number && single == other.single &&
           (kind == Float || text == other.text) && items == other.items && bytes == other.bytes;
}

AnsiString TFormSource::Where(int64_t pos) const {
    return Binary ? Format("%s at offset %d", Name, pos) : Format("%s(%d)", Name, pos);
}

AnsiString TTreeLimits::Node(int depth) {
    if (depth > MaxComponentNesting) return Format("components nested deeper than %d", MaxComponentNesting);
    return Entry();
}

AnsiString TTreeLimits::Entry() {
    if (++FEntries > MaxComponentEntries) return Format("more than %d entries", MaxComponentEntries);
    return "";
}
