// The stock editors of values that are objects: owned sub-objects, fonts,
// references to components and events.
#include "framework/design/editor_dialogs.h"
#include "framework/design/form_designer.h"
#include "framework/design/stock_editors.h"

namespace {
TObject* ObjectOf(const TPropValue& value) { return std::get<TObject*>(value); }
}  // namespace

TPropertyAttributes TClassProperty::GetAttributes() { return {paMultiSelect, paSubProperties, paReadOnly}; }

AnsiString TClassProperty::GetValue() {
    if (!ObjectOf(GetPropValueAt(0))) return {};
    return AnsiString("(") + GetPropType()->Name + ")";
}

TPropertyEditors TClassProperty::GetProperties() {
    std::vector<TPersistent*> objects;
    for (int i = 0; i < PropCount(); ++i) {
        auto object = ObjectAs<TPersistent>(ObjectOf(GetPropValueAt(i)));
        if (!object) return {};  // nothing to expand in common
        objects.push_back(object);
    }
    return GetPropertyEditors(objects, Designer());
}

bool TClassProperty::AllEqual() {
    bool present = ObjectOf(GetPropValueAt(0)) != nullptr;
    for (int i = 1; i < PropCount(); ++i)
        if ((ObjectOf(GetPropValueAt(i)) != nullptr) != present) return false;
    return true;
}

TPropertyAttributes TFontProperty::GetAttributes() { return {paMultiSelect, paSubProperties, paDialog, paReadOnly}; }

void TFontProperty::Edit() {
    auto current = ObjectAs<TFont>(ObjectOf(GetPropValueAt(0)));
    if (!current) return;
    TFont font;
    font.Assign(current);
    // The property's setter copies the chosen font into each object's own.
    if (EditorDialogs().PickFont(font)) SetPropValueAll(TPropValue(static_cast<TObject*>(&font)));
}

TPropertyAttributes TComponentProperty::GetAttributes() { return {paMultiSelect, paValueList, paSortList}; }

AnsiString TComponentProperty::GetValue() {
    return RequireDesigner().GetComponentName(ObjectAs<TComponent>(ObjectOf(GetPropValueAt(0))));
}

void TComponentProperty::SetValue(const AnsiString& value) {
    if (value.empty()) {
        SetPropValueAll(TPropValue(static_cast<TObject*>(nullptr)));
        return;
    }
    TComponent* component = RequireDesigner().GetComponent(value);
    if (!component || !component->InheritsFrom(*GetPropType()->ClassType)) InvalidValue(value);
    SetPropValueAll(TPropValue(static_cast<TObject*>(component)));
}

std::vector<AnsiString> TComponentProperty::GetValues() {
    return RequireDesigner().GetComponentNames(*GetPropType()->ClassType);
}

TPropertyAttributes TMethodProperty::GetAttributes() { return {paMultiSelect, paValueList, paSortList}; }

AnsiString TMethodProperty::GetValue() {
    return RequireDesigner().GetMethodName(std::get<TMethod>(GetPropValueAt(0)));
}

void TMethodProperty::SetValue(const AnsiString& value) {
    TMethod method;
    if (!value.empty()) method = RequireDesigner().GetMethod(value, GetPropType());
    SetPropValueAll(TPropValue(method));
}

std::vector<AnsiString> TMethodProperty::GetValues() { return RequireDesigner().GetMethods(GetPropType()); }
