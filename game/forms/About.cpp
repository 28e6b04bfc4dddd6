#include "About.h"

#include "framework/classes/published.h"

TAboutForm* AboutForm = nullptr;

const TClassInfo& TAboutForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TAboutForm>::Creatable("TAboutForm", TForm::StaticClass(), [](auto& c) {
        c.Component("Bevel1", &TAboutForm::Bevel1);
        c.Component("OkButton", &TAboutForm::OkButton);
        c.Component("Image1", &TAboutForm::Image1);
        c.Component("Image2", &TAboutForm::Image2);
        c.Component("Label1", &TAboutForm::Label1);
        c.Component("Label2", &TAboutForm::Label2);
        c.Component("Label3", &TAboutForm::Label3);
        c.Component("Label4", &TAboutForm::Label4);
        c.Component("Label5", &TAboutForm::Label5);
        c.Component("Timer1", &TAboutForm::Timer1);
        c.Method("OkButtonClick", &TAboutForm::OkButtonClick);
        c.Method("FormKeyPress", &TAboutForm::FormKeyPress);
        c.Method("Timer1Timer", &TAboutForm::Timer1Timer);
    });
    return info;
}

TAboutForm::TAboutForm(TComponent* owner) : TForm(owner) {}

TAboutForm::~TAboutForm() = default;

void TAboutForm::OkButtonClick(TObject*) { Close(); }

void TAboutForm::SetProgress(bool oddStepDone, bool evenStepDone) {
    OddStepDone = oddStepDone;
    EvenStepDone = evenStepDone;
}

void TAboutForm::Append(const char* fragment) { Label5->SetCaption(Label5->Caption() + fragment); }

// Each test sees the flags as the tests before it left them. Since the
// keys differ, at most one step fires; a key that fires none leaves the
// progress as it was, so stray typing between steps does no harm.
void TAboutForm::FormKeyPress(TObject*, char& key) {
    const char* k = SecretKeys;
    if (!OddStepDone && !EvenStepDone && key == k[0]) {
        Label5->SetCaption("W");
        SetProgress(true, false);
    }
    if (OddStepDone && key == k[1]) {
        Append("e Ar");
        SetProgress(false, true);
    }
    if (EvenStepDone && key == k[2]) {
        Append("e Wat");
        SetProgress(true, false);
    }
    if (OddStepDone && key == k[3]) {
        Append("chi");
        SetProgress(false, true);
    }
    if (EvenStepDone && key == k[4]) {
        SetProgress(true, false);
    }
    if (OddStepDone && key == k[5]) {
        Append("ng Y");
        SetProgress(false, true);
    }
    if (EvenStepDone && key == k[6]) {
        Append("ou");
    }
    if (EvenStepDone && key == k[7]) {
        // The label sizes itself to its caption, so this width lasts
        // only until the caption is written just below.
        Label5->SetWidth(200);
        Append("...");
        Label5->SetVisible(true);
        Timer1->SetEnabled(true);
        SetProgress(false, false);
    }
}

void TAboutForm::Timer1Timer(TObject*) {
    Label5->SetVisible(false);
    Timer1->SetEnabled(false);
}
