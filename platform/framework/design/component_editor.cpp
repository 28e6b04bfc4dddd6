#include "framework/design/component_editor.h"

TComponentEditor::TComponentEditor(TComponent* component, TFormDesigner* designer)
    : FComponent(component), FDesigner(designer) {}

TComponentEditor::~TComponentEditor() = default;

void TComponentEditor::Edit() {
    if (GetVerbCount() > 0) ExecuteVerb(0);
}

int TComponentEditor::GetVerbCount() { return 0; }

AnsiString TComponentEditor::GetVerb(int index) {
    throw EListError(Format("List index out of bounds (%d)", index));
}

void TComponentEditor::ExecuteVerb(int) {}
