#include "Corvan2/Corvan2.h"

#include "Corvan1/Presets.h"

const TClassInfo& TSmallEditTwo::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSmallEditTwo>::Creatable("TSmallEditTwo", TEdit::StaticClass());
    return info;
}

TSmallEditTwo::TSmallEditTwo(TComponent* owner) : TEdit(owner) { ApplySmallPreset(*this, fsBold | fsItalic); }
TSmallEditTwo::~TSmallEditTwo() = default;

const TClassInfo& TBigEdit::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBigEdit>::Creatable("TBigEdit", TSmallEditTwo::StaticClass());
    return info;
}

TBigEdit::TBigEdit(TComponent* owner) : TSmallEditTwo(owner) {
    SetWidth(250);
    Font()->SetSize(24);
}
TBigEdit::~TBigEdit() = default;

const TClassInfo& TSmallLabel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSmallLabel>::Creatable("TSmallLabel", TLabel::StaticClass());
    return info;
}

TSmallLabel::TSmallLabel(TComponent* owner) : TLabel(owner) { ApplySmallPreset(*this, fsBold); }
TSmallLabel::~TSmallLabel() = default;

const TClassInfo& TBigLabel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBigLabel>::Creatable("TBigLabel", TSmallLabel::StaticClass());
    return info;
}

TBigLabel::TBigLabel(TComponent* owner) : TSmallLabel(owner) { Font()->SetSize(24); }
TBigLabel::~TBigLabel() = default;

const TClassInfo& TEmptyPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TEmptyPanel>::Creatable("TEmptyPanel", TPanel::StaticClass());
    return info;
}

TEmptyPanel::TEmptyPanel(TComponent* owner) : TPanel(owner) {}
TEmptyPanel::~TEmptyPanel() = default;

void TEmptyPanel::Loaded() {
    TPanel::Loaded();
    SetCaption("");
}

void TEmptyPanel::SetParent(TWinControl* parent) {
    TPanel::SetParent(parent);
    SetCaption("");
}

const TClassInfo& TRadio2Panel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TRadio2Panel>::Creatable("TRadio2Panel", TEmptyPanel::StaticClass());
    return info;
}

TRadio2Panel::TRadio2Panel(TComponent* owner) : TEmptyPanel(owner) {
    SetWidth(175);
    SetHeight(60);
    FRadio1 = MakeRadio("Radio1", 20, 10);
    FRadio2 = MakeRadio("Radio2", 20, 32);
}

TRadio2Panel::~TRadio2Panel() = default;

TRadioButton* TRadio2Panel::MakeRadio(const char* caption, int left, int top) {
    auto radio = new TRadioButton(this);  // owned by the panel, not by the form
    radio->SetParent(this);
    radio->SetCaption(caption);
    radio->SetLeft(left);
    radio->SetTop(top);
    radio->Show();
    return radio;
}

void Corvan2::Register() {
    RegisterComponents("Corvan", {&TSmallEditTwo::StaticClass(), &TBigEdit::StaticClass(), &TSmallLabel::StaticClass(),
                                  &TBigLabel::StaticClass(), &TEmptyPanel::StaticClass(), &TRadio2Panel::StaticClass()});
}
