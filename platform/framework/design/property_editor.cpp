#include "framework/design/property_editor.h"

#include "framework/design/editor_registry.h"
#include "framework/design/form_designer.h"

TPropertyEditor::TPropertyEditor(TFormDesigner* designer, std::vector<TPropertyTarget> targets)
    : FDesigner(designer), FTargets(std::move(targets)) {
    if (FTargets.empty()) throw EPropertyError("A property editor needs at least one object");
}

TPropertyEditor::~TPropertyEditor() = default;

TPropertyAttributes TPropertyEditor::GetAttributes() { return {}; }

AnsiString TPropertyEditor::GetName() const { return FTargets.front().Prop->Name; }

AnsiString TPropertyEditor::GetValue() { return {}; }

void TPropertyEditor::SetValue(const AnsiString& value) {
    // Text typed into a property this editor cannot parse must not look
    // accepted.
    throw EPropertyError(Format("%s cannot be set to '%s'", GetName().c_str(), value.c_str()));
}

std::vector<AnsiString> TPropertyEditor::GetValues() { return {}; }

void TPropertyEditor::Edit() {
    if (!GetAttributes().Contains(paValueList)) return;
    std::vector<AnsiString> values = GetValues();
    if (values.empty()) return;
    AnsiString current = GetValue();
    size_t next = 0;
    for (size_t i = 0; i < values.size(); ++i)
        if (SameText(values[i], current)) next = (i + 1) % values.size();
    SetValue(values[next]);
}

TPropertyEditors TPropertyEditor::GetProperties() { return {}; }

bool TPropertyEditor::AllEqual() {
    TPropValue first = GetPropValueAt(0);
    for (int i = 1; i < PropCount(); ++i)
        if (!(GetPropValueAt(i) == first)) return false;
    return true;
}

int64_t TPropertyEditor::GetOrdValueAt(int index) const {
    TPropValue value = GetPropValueAt(index);
    if (auto n = std::get_if<int64_t>(&value)) return *n;
    if (auto object = std::get_if<TObject*>(&value)) return reinterpret_cast<intptr_t>(*object);
    throw EPropertyError("Property " + GetName() + " is not ordinal");
}

void TPropertyEditor::SetOrdValue(int64_t value) {
    if (GetPropType()->Kind == TTypeKind::Class)
        SetPropValueAll(TPropValue(reinterpret_cast<TObject*>(static_cast<intptr_t>(value))));
    else
        SetPropValueAll(TPropValue(value));
}

void TPropertyEditor::Modified() {
    if (FDesigner) FDesigner->Modified();
}

PTypeInfo TPropertyEditor::GetPropType() const { return FTargets.front().Prop->PropType(); }

TPersistent* TPropertyEditor::GetComponent(int index) const {
    if (index < 0 || index >= PropCount()) throw EListError(Format("List index out of bounds (%d)", index));
    return FTargets[static_cast<size_t>(index)].Instance;
}

TPropValue TPropertyEditor::GetPropValueAt(int index) const {
    GetComponent(index);  // checks the index
    const TPropertyTarget& t = FTargets[static_cast<size_t>(index)];
    return t.Prop->Get(t.Instance);
}

void TPropertyEditor::SetPropValueAll(const TPropValue& value) {
    for (const TPropertyTarget& t : FTargets)
        if (!t.Prop->Set) throw EPropertyError("Property " + GetName() + " is read-only");
    for (const TPropertyTarget& t : FTargets) t.Prop->Set(t.Instance, value);
    Modified();
}

TFormDesigner& TPropertyEditor::RequireDesigner() const {
    if (!FDesigner) throw EPropertyError("Property " + GetName() + " can only be edited on a designed form");
    return *FDesigner;
}

void TPropertyEditor::InvalidValue(const AnsiString& text) const {
    throw EPropertyError(Format("'%s' is not a valid value for %s (%s)", text.c_str(), GetName().c_str(),
                                GetPropType()->Name));
}

namespace {

// Properties an inspector can offer: writable ones, and objects whose own
// properties can be written.
bool Editable(const TPropInfo& p) { return p.Set || p.PropType()->Kind == TTypeKind::Class; }

}  // namespace

TPropertyEditors GetPropertyEditors(const std::vector<TPersistent*>& selection, TFormDesigner* designer) {
    TPropertyEditors editors;
    if (selection.empty()) return editors;
    const TClassInfo& firstClass = selection.front()->ClassType();
    for (const TPropInfo* p : firstClass.Properties()) {
        if (!Editable(*p)) continue;
        TPropertyEditorClass editorClass = GetPropertyEditorClass(*p, firstClass);
        std::vector<TPropertyTarget> targets{{selection.front(), p}};
        for (size_t i = 1; i < selection.size(); ++i) {
            const TClassInfo& cls = selection[i]->ClassType();
            const TPropInfo* other = cls.FindProperty(p->Name);
            // The same property for every object, and the same editor.
            if (!other || other->PropType() != p->PropType() || !Editable(*other) ||
                !(GetPropertyEditorClass(*other, cls) == editorClass)) {
                targets.clear();
                break;
            }
            targets.push_back({selection[i], other});
        }
        if (targets.empty()) continue;
        std::unique_ptr<TPropertyEditor> editor = editorClass.Create(designer, std::move(targets));
        if (selection.size() > 1 && !editor->GetAttributes().Contains(paMultiSelect)) continue;
        editors.push_back(std::move(editor));
    }
    return editors;
}
