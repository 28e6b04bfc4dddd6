#include "MeterixDemoForm.h"

TDemoForm* DemoForm = nullptr;

const TClassInfo& TDemoForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDemoForm>::Creatable("TDemoForm", TForm::StaticClass(), [](auto& c) {
        c.Component("ProgressBarX1", &TDemoForm::ProgressBarX1);
        c.Component("StepButton", &TDemoForm::StepButton);
        c.Component("BackButton", &TDemoForm::BackButton);
        c.Component("PositionLabel", &TDemoForm::PositionLabel);
        c.Method("FormShow", &TDemoForm::FormShow);
        c.Method("StepButtonClick", &TDemoForm::StepButtonClick);
        c.Method("BackButtonClick", &TDemoForm::BackButtonClick);
    });
    return info;
}

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {
    // The form's resource names these classes.
    RegisterClasses({&Meterix_TLB::TProgressBarXProxy::StaticClass(), &TButton::StaticClass(), &TLabel::StaticClass()});
}

TDemoForm::~TDemoForm() = default;

// The control's values live in the control, not in the form: set them here.
void TDemoForm::FormShow(TObject*) {
    ProgressBarX1->SetIntegerProp(6, 50);  // Max
    ProgressBarX1->SetIntegerProp(8, 10);  // Step
    ShowPosition();
}

void TDemoForm::StepButtonClick(TObject*) {
    ProgressBarX1->StepIt();
    ShowPosition();
}

void TDemoForm::BackButtonClick(TObject*) {
    ProgressBarX1->StepBy(-5);
    ShowPosition();
}

void TDemoForm::ShowPosition() {
    PositionLabel->SetCaption(Format("Position %d of %d", ProgressBarX1->GetIntegerProp(7),
                                     ProgressBarX1->GetIntegerProp(6)));
}
