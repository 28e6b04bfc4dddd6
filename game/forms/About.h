// Unit About: the game's about box, also the only form of the about-box
// program. Typing its eight secret letters, in order, spells a hidden
// sentence into Label5, shows it, and hides it again a second later.
#pragma once
#include "framework/controls/bevel.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/speed_button.h"
#include "framework/controls/timer.h"
#include "framework/forms/form.h"

class TAboutForm : public TForm {
    FRAME_CLASS(TAboutForm, TForm)
public:
    explicit TAboutForm(TComponent* owner);
    ~TAboutForm() override;

    // The keys of the eight steps, lower case, all different.
    static constexpr char SecretKeys[9] = "gryphons";

    TBevel* Bevel1 = nullptr;
    TSpeedButton* OkButton = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TTimer* Timer1 = nullptr;

    // Progress of the hidden message: Idle (false, false), after step
    // 1, 3 or 5 (true, false), after step 2, 4, 6 or 7 (false, true).
    bool OddStepDone = false;
    bool EvenStepDone = false;

    void OkButtonClick(TObject* sender);
    void FormKeyPress(TObject* sender, char& key);
    void Timer1Timer(TObject* sender);

private:
    void SetProgress(bool oddStepDone, bool evenStepDone);
    void Append(const char* fragment);
};

extern TAboutForm* AboutForm;
