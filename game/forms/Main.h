// Unit Main: the main menu. It stays on screen while the program runs;
// Play and About show the other two forms over it, Quit ends the program.
#pragma once
#include "framework/controls/speed_button.h"
#include "framework/forms/form.h"

class TMainForm : public TForm {
    FRAME_CLASS(TMainForm, TForm)
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

    TSpeedButton* PlayButton = nullptr;
    TSpeedButton* AboutButton = nullptr;
    TSpeedButton* QuitButton = nullptr;

    void PlayButtonClick(TObject* sender);
    void AboutButtonClick(TObject* sender);
    void QuitButtonClick(TObject* sender);
};

extern TMainForm* MainForm;

// The program's forms, made in its order: the menu first, which becomes
// the application's main form, then the game and about forms, hidden.
void CreateSkelderForms();
