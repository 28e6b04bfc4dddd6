#include "ClockEditor/ClockEditor.h"

#include <memory>

const TClassInfo& TClockEditorDialog::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TClockEditorDialog>::Creatable("TClockEditorDialog", TForm::StaticClass(), [](auto& c) {
            c.Component("SetFaceColorBtn", &TClockEditorDialog::SetFaceColorBtn);
            c.Component("ColorDialog1", &TClockEditorDialog::ColorDialog1);
            c.Component("SetBackColorBtn", &TClockEditorDialog::SetBackColorBtn);
            c.Component("Panel1", &TClockEditorDialog::Panel1);
            c.Component("Image1", &TClockEditorDialog::Image1);
            c.Component("BitBtn1", &TClockEditorDialog::BitBtn1);
            c.Method("SetFaceColorBtnClick", &TClockEditorDialog::SetFaceColorBtnClick);
            c.Method("SetBackColorBtnClick", &TClockEditorDialog::SetBackColorBtnClick);
        });
    return info;
}

TClockEditorDialog::TClockEditorDialog(TComponent* owner) : TForm(owner) {}
TClockEditorDialog::~TClockEditorDialog() = default;

void TClockEditorDialog::SetFaceColorBtnClick(TObject*) {
    if (ColorDialog1->Execute()) Clock->SetColor(ColorDialog1->Color());
}

void TClockEditorDialog::SetBackColorBtnClick(TObject*) {
    if (ColorDialog1->Execute()) Clock->ClockAttributes()->SetColor(ColorDialog1->Color());
}

void ShowClockEditorDialog(TColorClock2* Clock) {
    std::unique_ptr<TComponent> form(TClockEditorDialog::StaticClass().Create(Application));
    auto dialog = static_cast<TClockEditorDialog*>(form.get());
    dialog->Clock = Clock;
    dialog->ShowModal();
}
