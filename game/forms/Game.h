// Unit Game: the playing field. Four winged monsters fly on a 200 ms
// timer; a click shoots from a magazine of six shells that reloads by
// itself; a shot monster falls and lands with a thud; when all four have
// landed the form closes.
#pragma once
#include "WingedMonster.h"
#include "framework/framework.h"

class TGameForm : public TForm {
    FRAME_CLASS(TGameForm, TForm)
public:
    explicit TGameForm(TComponent* owner);
    ~TGameForm() override;
    // Builds the form from TGAMEFORM, then resets the game.
    void AfterConstruction() override;

    TWingedMonster* WingedMonster1 = nullptr;
    TWingedMonster* WingedMonster2 = nullptr;
    TWingedMonster* WingedMonster3 = nullptr;
    TWingedMonster* WingedMonster4 = nullptr;
    TImage* Image1 = nullptr;
    TTimer* Timer1 = nullptr;
    TImageList* LeftImages = nullptr;
    TImageList* RightImages = nullptr;
    TImageList* DeathImages = nullptr;

    int Shells = 0;
    bool Landed[4] = {false, false, false, false};

    void FormShow(TObject* sender);
    void Timer1Timer(TObject* sender);
    void WingedMonster1Click(TObject* sender);
    void WingedMonster2Click(TObject* sender);
    void WingedMonster3Click(TObject* sender);
    void WingedMonster4Click(TObject* sender);
    void FormClick(TObject* sender);
    void Image1Click(TObject* sender);
    void ResetGame();

private:
    TWingedMonster* Monster(int index) const;
    void Hit(TWingedMonster* monster);
    void Miss();
};

extern TGameForm* GameForm;
