// The stock editors of ordinal values: integers, colours, enumerations, sets.
#include <algorithm>

#include "framework/design/editor_dialogs.h"
#include "framework/design/stock_editors.h"

namespace {

AnsiString Trimmed(const AnsiString& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == AnsiString::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The names of an enumeration (or of false and true), by ordinal.
std::vector<AnsiString> EnumNames(PTypeInfo type) {
    size_t count = type->Kind == TTypeKind::Boolean ? 2 : type->EnumNames.size();
    std::vector<AnsiString> names;
    for (size_t i = 0; i < count; ++i) names.push_back(GetEnumName(type, static_cast<int64_t>(i)));
    return names;
}

// The ordinal of a name typed in any case; -1 for none.
int64_t FindName(const std::vector<AnsiString>& names, const AnsiString& text) {
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], Trimmed(text))) return static_cast<int64_t>(i);
    return -1;
}

}  // namespace

TPropertyAttributes TOrdinalProperty::GetAttributes() { return {paMultiSelect}; }

TPropertyAttributes TIntegerProperty::GetAttributes() {
    TPropertyAttributes attributes = TOrdinalProperty::GetAttributes();
    if (!GetPropType()->Idents.empty()) attributes << paValueList;
    return attributes;
}

AnsiString TIntegerProperty::GetValue() {
    int64_t value = GetOrdValue();
    if (const char* ident = IntToIdent(GetPropType(), value)) return ident;
    return IntToStr(value);
}

void TIntegerProperty::SetValue(const AnsiString& value) {
    PTypeInfo type = GetPropType();
    int64_t n = 0;
    if (!IdentToInt(type, Trimmed(value), n) && !TryStrToInt64(Trimmed(value), n)) InvalidValue(value);
    if (n < type->MinValue || n > type->MaxValue) InvalidValue(value);
    SetOrdValue(n);
}

std::vector<AnsiString> TIntegerProperty::GetValues() {
    // One name per value: aliases (clLtGray beside clSilver) are only read.
    std::vector<AnsiString> names;
    std::vector<int64_t> seen;
    for (auto& [name, value] : GetPropType()->Idents) {
        if (std::find(seen.begin(), seen.end(), value) != seen.end()) continue;
        seen.push_back(value);
        names.push_back(name);
    }
    return names;
}

TPropertyAttributes TColorProperty::GetAttributes() { return {paMultiSelect, paDialog, paValueList}; }

AnsiString TColorProperty::GetValue() { return ColorToString(static_cast<TColor>(GetOrdValue())); }

void TColorProperty::SetValue(const AnsiString& value) {
    TColor color = clBlack;
    try {
        color = StringToColor(Trimmed(value));
    } catch (const EConvertError&) {
        InvalidValue(value);
    }
    SetOrdValue(color);
}

void TColorProperty::Edit() {
    TColor color = static_cast<TColor>(GetOrdValue());
    if (EditorDialogs().PickColor(color)) SetOrdValue(color);
}

TPropertyAttributes TEnumProperty::GetAttributes() { return {paMultiSelect, paValueList, paSortList}; }

AnsiString TEnumProperty::GetValue() { return GetEnumName(GetPropType(), GetOrdValue()); }

void TEnumProperty::SetValue(const AnsiString& value) {
    int64_t ordinal = FindName(EnumNames(GetPropType()), value);
    if (ordinal < 0) InvalidValue(value);
    SetOrdValue(ordinal);
}

std::vector<AnsiString> TEnumProperty::GetValues() { return EnumNames(GetPropType()); }

TPropertyAttributes TSetProperty::GetAttributes() { return {paMultiSelect, paSubProperties, paReadOnly}; }

AnsiString TSetProperty::GetValue() {
    PTypeInfo type = GetPropType();
    int64_t bits = GetOrdValue();
    AnsiString text = "[";
    for (size_t i = 0; i < type->EnumNames.size(); ++i)
        if (bits & (int64_t(1) << i)) text += AnsiString(text.size() > 1 ? ", " : "") + type->EnumNames[i];
    return text + "]";
}

void TSetProperty::SetValue(const AnsiString& value) {
    AnsiString list = Trimmed(value);
    if (list.size() >= 2 && list.front() == '[' && list.back() == ']') list = list.substr(1, list.size() - 2);
    std::vector<AnsiString> names(GetPropType()->EnumNames.begin(), GetPropType()->EnumNames.end());
    int64_t bits = 0;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = std::min(list.find(',', start), list.size());
        AnsiString element = Trimmed(list.substr(start, comma - start));
        if (!element.empty()) {
            int64_t index = FindName(names, element);
            if (index < 0) InvalidValue(value);
            bits |= int64_t(1) << index;
        } else if (comma < list.size()) {
            InvalidValue(value);  // an empty element between commas
        }
        start = comma + 1;
    }
    SetOrdValue(bits);
}

TPropertyEditors TSetProperty::GetProperties() {
    TPropertyEditors elements;
    for (size_t i = 0; i < GetPropType()->EnumNames.size(); ++i)
        elements.push_back(std::make_unique<TSetElementProperty>(Designer(), Targets(), static_cast<int>(i)));
    return elements;
}

TSetElementProperty::TSetElementProperty(TFormDesigner* designer, std::vector<TPropertyTarget> targets, int element)
    : TPropertyEditor(designer, std::move(targets)), FElement(element) {}

TPropertyAttributes TSetElementProperty::GetAttributes() { return {paMultiSelect, paValueList, paSortList}; }

AnsiString TSetElementProperty::GetName() const {
    return GetPropType()->EnumNames[static_cast<size_t>(FElement)];
}

bool TSetElementProperty::IsIn(int index) const { return (GetOrdValueAt(index) >> FElement) & 1; }

AnsiString TSetElementProperty::GetValue() { return GetEnumName(TypeInfoOf<bool>(), IsIn(0)); }

void TSetElementProperty::SetValue(const AnsiString& value) {
    int64_t in = FindName(GetValues(), value);
    if (in < 0) InvalidValue(value);
    for (const TPropertyTarget& t : Targets())
        if (!t.Prop->Set) throw EPropertyError("Property " + t.Prop->Name + " is read-only");
    // Each object keeps its other elements.
    for (int i = 0; i < PropCount(); ++i) {
        int64_t bits = GetOrdValueAt(i);
        bits = in ? bits | (int64_t(1) << FElement) : bits & ~(int64_t(1) << FElement);
        const TPropertyTarget& t = Targets()[static_cast<size_t>(i)];
        t.Prop->Set(t.Instance, TPropValue(bits));
    }
    Modified();
}

std::vector<AnsiString> TSetElementProperty::GetValues() { return EnumNames(TypeInfoOf<bool>()); }

bool TSetElementProperty::AllEqual() {
    for (int i = 1; i < PropCount(); ++i)
        if (IsIn(i) != IsIn(0)) return false;
    return true;
}
