#include "ClockAttributes/ClockAttributes.h"

#include <memory>

const TClassInfo& TClockAttributesDialog::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TClockAttributesDialog>::Creatable("TClockAttributesDialog", TForm::StaticClass(), [](auto& c) {
            c.Component("Panel1", &TClockAttributesDialog::Panel1);
            c.Component("ComboBox1", &TClockAttributesDialog::ComboBox1);
            c.Component("GetColorsBtn", &TClockAttributesDialog::GetColorsBtn);
            c.Component("BitBtn2", &TClockAttributesDialog::BitBtn2);
            c.Component("ColorDialog1", &TClockAttributesDialog::ColorDialog1);
            c.Component("Image1", &TClockAttributesDialog::Image1);
            c.Method("GetColorsBtnClick", &TClockAttributesDialog::GetColorsBtnClick);
            c.Method("BitBtn2Click", &TClockAttributesDialog::BitBtn2Click);
        });
    return info;
}

TClockAttributesDialog::TClockAttributesDialog(TComponent* owner) : TForm(owner) {}
TClockAttributesDialog::~TClockAttributesDialog() = default;

void TClockAttributesDialog::GetColorsBtnClick(TObject*) {
    if (ColorDialog1->Execute()) Attribute->SetColor(ColorDialog1->Color());
}

void TClockAttributesDialog::BitBtn2Click(TObject*) {
    int index = ComboBox1->ItemIndex();
    if (index >= stRectangle && index <= stCircle) Attribute->SetShape(static_cast<TShapeType>(index));
}

void ShowClockAttributesDialog(TClockAttribute2* Attribute) {
    std::unique_ptr<TComponent> form(TClockAttributesDialog::StaticClass().Create(Application));
    auto dialog = static_cast<TClockAttributesDialog*>(form.get());
    dialog->Attribute = Attribute;
    dialog->ComboBox1->SetItemIndex(Attribute->Shape());
    dialog->ShowModal();
}
