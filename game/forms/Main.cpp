#include "Main.h"

#include "framework/classes/published.h"
#include "framework/forms/application.h"
#include "About.h"
#include "Game.h"

TMainForm* MainForm = nullptr;

const TClassInfo& TMainForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMainForm>::Creatable("TMainForm", TForm::StaticClass(), [](auto& c) {
        c.Component("PlayButton", &TMainForm::PlayButton);
        c.Component("AboutButton", &TMainForm::AboutButton);
        c.Component("QuitButton", &TMainForm::QuitButton);
        c.Method("PlayButtonClick", &TMainForm::PlayButtonClick);
        c.Method("AboutButtonClick", &TMainForm::AboutButtonClick);
        c.Method("QuitButtonClick", &TMainForm::QuitButtonClick);
    });
    return info;
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {}

TMainForm::~TMainForm() = default;

// Show on a visible form only brings it to the front: the game is not
// restarted. Update paints it at once instead of after the queue drains.
void TMainForm::PlayButtonClick(TObject*) {
    GameForm->Show();
    GameForm->Update();
}

void TMainForm::AboutButtonClick(TObject*) { AboutForm->Show(); }

void TMainForm::QuitButtonClick(TObject*) { Application->Terminate(); }

void CreateSkelderForms() {
    Application->CreateForm(MainForm);
    Application->CreateForm(GameForm);
    Application->CreateForm(AboutForm);
}
