#include "Game.h"

#include <mmsystem.h>

TGameForm* GameForm = nullptr;

namespace {
// Bare names: the platform looks for them from the current directory; a
// new sound cuts off one still playing.
void PlaySoundFile(const char* name) { Sound::Play(name, nullptr, SND_FILENAME | SND_ASYNC); }
}  // namespace

const TClassInfo& TGameForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGameForm>::Creatable("TGameForm", TForm::StaticClass(), [](auto& c) {
        c.Component("WingedMonster1", &TGameForm::WingedMonster1);
        c.Component("WingedMonster2", &TGameForm::WingedMonster2);
        c.Component("WingedMonster3", &TGameForm::WingedMonster3);
        c.Component("WingedMonster4", &TGameForm::WingedMonster4);
        c.Component("Image1", &TGameForm::Image1);
        c.Component("Timer1", &TGameForm::Timer1);
        c.Component("LeftImages", &TGameForm::LeftImages);
        c.Component("RightImages", &TGameForm::RightImages);
        c.Component("DeathImages", &TGameForm::DeathImages);
        c.Method("FormShow", &TGameForm::FormShow);
        c.Method("Timer1Timer", &TGameForm::Timer1Timer);
        c.Method("WingedMonster1Click", &TGameForm::WingedMonster1Click);
        c.Method("WingedMonster2Click", &TGameForm::WingedMonster2Click);
        c.Method("WingedMonster3Click", &TGameForm::WingedMonster3Click);
        c.Method("WingedMonster4Click", &TGameForm::WingedMonster4Click);
        c.Method("FormClick", &TGameForm::FormClick);
        c.Method("Image1Click", &TGameForm::Image1Click);
    });
    return info;
}

TGameForm::TGameForm(TComponent* owner) : TForm(owner) {}
TGameForm::~TGameForm() = default;

void TGameForm::AfterConstruction() {
    RegisterClasses({&TWingedMonster::StaticClass()});
    TForm::AfterConstruction();
    ResetGame();
}

TWingedMonster* TGameForm::Monster(int index) const {
    TWingedMonster* monsters[] = {WingedMonster1, WingedMonster2, WingedMonster3, WingedMonster4};
    return monsters[index];
}

void TGameForm::ResetGame() {
    Shells = 6;
    for (bool& landed : Landed) landed = false;
    for (int i = 0; i < 4; ++i) Monster(i)->SetLeft(560);
    const int tops[] = {16, 88, 160, 232};
    for (int i = 0; i < 4; ++i) Monster(i)->SetTop(tops[i]);
    for (int i = 0; i < 4; ++i) Monster(i)->SetAlive(true);
}

void TGameForm::FormShow(TObject*) { ResetGame(); }

void TGameForm::Timer1Timer(TObject*) {
    bool allDown = true;
    for (int i = 0; i < 4; ++i) allDown = allDown && !Monster(i)->Alive() && Landed[i];
    if (allDown) Close();  // the tick goes on all the same

    if (Shells == 0) {
        Shells = 6;
        PlaySoundFile("ShotgunReload.wav");
    }
    for (int i = 0; i < 4; ++i) {
        if (Monster(i)->Top() + 48 > Height() && !Landed[i]) {
            PlaySoundFile("hit.wav");
            Landed[i] = true;
        }
    }
    for (int i = 0; i < 4; ++i) Monster(i)->Move();
}

void TGameForm::Hit(TWingedMonster* monster) {
    monster->SetAlive(false);
    --Shells;
    PlaySoundFile("ShotgunFire.wav");
}

void TGameForm::Miss() {
    PlaySoundFile("ShotgunFire.wav");
    --Shells;
}

void TGameForm::WingedMonster1Click(TObject*) { Hit(WingedMonster1); }
void TGameForm::WingedMonster2Click(TObject*) { Hit(WingedMonster2); }
void TGameForm::WingedMonster3Click(TObject*) { Hit(WingedMonster3); }
void TGameForm::WingedMonster4Click(TObject*) { Hit(WingedMonster4); }
void TGameForm::FormClick(TObject*) { Miss(); }
void TGameForm::Image1Click(TObject*) { Miss(); }
