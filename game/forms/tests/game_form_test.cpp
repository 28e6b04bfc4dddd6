// The game form: what its resource makes, the shells, the landings, the
// end of a game and the sounds, tick by tick. The form's own timer is
// stopped so that the test drives the ticks.
#include <gtest/gtest.h>

#include <string>

#include "Game.h"
#include "sound_recorder.h"

namespace {

using Names = std::vector<std::string>;

struct Game : ::testing::Test {
    TForm* Menu = nullptr;  // stands in for the main menu: the game form is not the main form
    SoundRecorder Sounds;

    void SetUp() override {
        if (!Application->MainForm()) Menu = Application->CreateFormOf(TForm::StaticClass());
        Application->CreateForm(GameForm);
        GameForm->Timer1->SetEnabled(false);
        Sounds.Take();
    }
    void TearDown() override {
        delete GameForm;
        GameForm = nullptr;
    }
    TWingedMonster* Monster(int i) const {
        TWingedMonster* all[] = {GameForm->WingedMonster1, GameForm->WingedMonster2, GameForm->WingedMonster3,
                                 GameForm->WingedMonster4};
        return all[i];
    }
    void Tick() { GameForm->Timer1Timer(GameForm->Timer1); }
    void Shoot(TWingedMonster* m) { m->Click(); }
    void Miss() { GameForm->Click(); }
    // The left button as the platform delivers it to the form's window.
    static void Press(int x, int y) { SendMessageA(GameForm->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    static void Release(int x, int y) { SendMessageA(GameForm->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    static void ClickAt(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    // The name of the game form's handler an event is bound to ("" if none).
    static std::string HandlerName(const TNotifyEvent& event) {
        if (event.Method().Data != GameForm) return "";
        const TMethodInfo* handler = GameForm->ClassType().FindMethod(event.Method());
        return handler ? std::string(handler->Name.c_str()) : "";
    }
};

TEST_F(Game, TheResourceMakesTheFieldItDescribes) {
    TGameForm& f = *GameForm;
    EXPECT_EQ(f.Name(), "GameForm");
    EXPECT_EQ(f.Left(), 192);
    EXPECT_EQ(f.Top(), 108);
    EXPECT_EQ(f.Cursor(), crCross);
    EXPECT_FALSE(f.HorzScrollBar()->Visible());
    EXPECT_FALSE(f.VertScrollBar()->Visible());
    EXPECT_EQ(f.BorderStyle(), bsNone);
    EXPECT_EQ(f.Caption(), "Skelder");
    EXPECT_EQ(f.ClientWidth(), 632);
    EXPECT_EQ(f.ClientHeight(), 453);
    EXPECT_EQ(f.Color(), clWhite);
    EXPECT_EQ(f.Font()->Height(), -11);
    EXPECT_EQ(f.Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(f.WindowState(), wsMaximized);
    EXPECT_FALSE(f.Visible());

    // The constructor has already reset the game over the resource's
    // design-time places (552; 16, 112, 208, 296).
    EXPECT_EQ(f.Shells, 6);
    const int travel[] = {11, 9, 7, 12};
    const int tops[] = {16, 88, 160, 232};
    for (int i = 0; i < 4; ++i) {
        TWingedMonster* m = Monster(i);
        EXPECT_EQ(m->Left(), 560);
        EXPECT_EQ(m->Top(), tops[i]);
        EXPECT_EQ(m->Width(), 64);
        EXPECT_EQ(m->Height(), 64);
        EXPECT_TRUE(m->Alive());
        EXPECT_EQ(HandlerName(m->OnClick), "WingedMonster" + std::to_string(i + 1) + "Click");
        EXPECT_EQ(m->Parent(), &f);
        EXPECT_EQ(m->HorizontalTravel(), travel[i]);
        EXPECT_EQ(m->VerticalTravel(), 15);
        EXPECT_EQ(m->LeftImages(), f.LeftImages);
        EXPECT_EQ(m->RightImages(), f.RightImages);
        EXPECT_EQ(m->DeathImages(), f.DeathImages);
        EXPECT_EQ(f.Controls(i), m);  // monsters come before the ground strip
    }
    EXPECT_EQ(f.Controls(4), f.Image1);
    EXPECT_EQ(HandlerName(f.Image1->OnClick), "Image1Click");
    EXPECT_EQ(HandlerName(f.OnClick), "FormClick");
    EXPECT_EQ(HandlerName(f.OnShow), "FormShow");
    EXPECT_EQ(HandlerName(f.Timer1->OnTimer), "Timer1Timer");
    EXPECT_EQ(f.Image1->Align(), alBottom);
    EXPECT_EQ(f.Image1->Top(), 421);
    auto ground = ObjectAs<TBitmap>(f.Image1->Picture()->Graphic());
    ASSERT_NE(ground, nullptr);
    EXPECT_EQ(ground->Width(), 1600);
    EXPECT_EQ(ground->Height(), 32);
    EXPECT_EQ(ground->PixelFormat(), pf8bit);
    EXPECT_EQ(ground->Palette().size(), 256u);
    EXPECT_FALSE(f.Image1->Stretch());
    EXPECT_EQ(f.Timer1->Interval(), 200u);
    EXPECT_EQ(f.LeftImages->Count(), 4);
    EXPECT_EQ(f.RightImages->Count(), 4);
    EXPECT_EQ(f.DeathImages->Count(), 1);
    // Each list brought its mask: a frame's corner shows what it is drawn
    // on, not the black of the strip around the monster.
    for (TImageList* list : {f.LeftImages, f.RightImages, f.DeathImages}) {
        EXPECT_EQ(list->Width(), 64);
        EXPECT_EQ(list->Height(), 64);
        TBitmap frame;
        list->GetBitmap(0, &frame);
        EXPECT_EQ(frame.Canvas()->Pixels(0, 0), clWhite) << list->Name();
    }
}

TEST_F(Game, ShowingTheFormResetsTheGame) {
    for (int i = 0; i < 4; ++i) Monster(i)->SetAlive(false);
    GameForm->Shells = -3;
    GameForm->Landed[2] = true;
    Monster(1)->SetDirection(mdRight);
    GameForm->Show();
    const int tops[] = {16, 88, 160, 232};
    EXPECT_EQ(GameForm->Shells, 6);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Monster(i)->Left(), 560);
        EXPECT_EQ(Monster(i)->Top(), tops[i]);
        EXPECT_TRUE(Monster(i)->Alive());
        EXPECT_FALSE(GameForm->Landed[i]);
    }
    EXPECT_EQ(Monster(1)->Direction(), mdRight);  // the course is kept
}

TEST_F(Game, EveryShotSoundsWithTheExactPlatformFlags) {
    Shoot(GameForm->WingedMonster2);
    Miss();
    GameForm->Image1Click(GameForm->Image1);
    SoundRequest shot{"ShotgunFire.wav", nullptr, 0x20001};
    EXPECT_EQ(Sounds.Take(), (std::vector<SoundRequest>{shot, shot, shot}));
    EXPECT_FALSE(Monster(1)->Alive());
    EXPECT_TRUE(Monster(0)->Alive());
    EXPECT_EQ(GameForm->Shells, 3);
}

TEST_F(Game, AnEmptyMagazineReloadsOnTheNextTick) {
    for (int i = 0; i < 6; ++i) {
        if (i > 0) Tick();
        Miss();
    }
    EXPECT_EQ(GameForm->Shells, 0);
    EXPECT_EQ(Sounds.TakeNames(), Names(6, "ShotgunFire.wav"));
    Tick();
    EXPECT_EQ(GameForm->Shells, 6);
    EXPECT_EQ(Sounds.TakeNames(), Names{"ShotgunReload.wav"});
}

TEST_F(Game, TwoShotsInOneTickWithOneShellLeftNeverReload) {
    GameForm->Shells = 1;
    Miss();
    Miss();
    EXPECT_EQ(GameForm->Shells, -1);
    for (int i = 0; i < 5; ++i) Tick();
    Miss();
    EXPECT_EQ(GameForm->Shells, -2);
    EXPECT_EQ(Sounds.TakeNames(), Names(3, "ShotgunFire.wav"));
}

TEST_F(Game, ShootingAFallingMonsterOnlyCostsAShell) {
    Shoot(Monster(0));
    Tick();
    int top = Monster(0)->Top();
    Shoot(Monster(0));
    EXPECT_EQ(GameForm->Shells, 4);
    EXPECT_FALSE(Monster(0)->Alive());
    EXPECT_EQ(Monster(0)->Top(), top);
    EXPECT_EQ(Sounds.TakeNames(), Names(2, "ShotgunFire.wav"));
}

// The ground strip lies over a monster that has sunk into it: a click
// there is a miss. A living monster shows which of the two was hit.
TEST_F(Game, AClickWhereTheGroundCoversAMonsterIsAMiss) {
    GameForm->Show();
    TWingedMonster* m = Monster(0);
    int groundTop = GameForm->Image1->Top();
    m->SetBounds(100, groundTop - 20, 64, 64);  // its lower part lies under the ground strip
    ClickAt(130, groundTop + 10);
    EXPECT_TRUE(m->Alive());
    EXPECT_EQ(GameForm->Shells, 5);
    ClickAt(130, groundTop - 10);  // its upper part
    EXPECT_FALSE(m->Alive());
    EXPECT_EQ(GameForm->Shells, 4);
    ClickAt(130, 60);  // the background: monsters 2 to 4 are at the top right
    EXPECT_EQ(GameForm->Shells, 3);
    EXPECT_EQ(Sounds.TakeNames(), Names(3, "ShotgunFire.wav"));
}

// Every press and release is one shot at what was under the press, even
// when a tick moves the monsters in between.
TEST_F(Game, AShotGoesToWhatWasUnderThePressWhateverFliesBeforeTheRelease) {
    GameForm->Show();
    TWingedMonster* m = Monster(1);  // flies left, 9 pixels a tick
    POINT rightEdge{m->Left() + 60, m->Top() + 30};
    Press(rightEdge.x, rightEdge.y);
    Tick();
    ASSERT_GE(rightEdge.x, m->Left() + m->Width());  // the pointer is no longer over it
    Release(rightEdge.x, rightEdge.y);
    EXPECT_FALSE(m->Alive());
    EXPECT_EQ(GameForm->Shells, 5);

    TWingedMonster* other = Monster(2);  // 7 pixels a tick
    POINT ahead{other->Left() - 4, other->Top() + 30};
    Press(ahead.x, ahead.y);  // the background, just in front of it
    Tick();
    ASSERT_LT(other->Left(), ahead.x);  // it has flown under the pointer
    Release(ahead.x, ahead.y);
    EXPECT_TRUE(other->Alive());
    EXPECT_EQ(GameForm->Shells, 4);

    ClickAt(other->Left() + 30, other->Top() + 30);  // no tick between: still one shot
    EXPECT_FALSE(other->Alive());
    EXPECT_EQ(GameForm->Shells, 3);
    EXPECT_EQ(Sounds.TakeNames(), Names(3, "ShotgunFire.wav"));
}

TEST_F(Game, TheFormHidesOneTickAfterTheLastLandingIsSounded) {
    GameForm->Show();
    for (int i = 0; i < 4; ++i) Shoot(Monster(i));
    Sounds.Take();
    Names hits;
    auto allSounded = [] { return GameForm->Landed[0] && GameForm->Landed[1] && GameForm->Landed[2] && GameForm->Landed[3]; };
    for (int ticks = 0; !allSounded() && ticks < 200; ++ticks) {
        ASSERT_TRUE(GameForm->Visible()) << "closed before every landing was sounded";
        Tick();
        for (const std::string& s : Sounds.TakeNames()) hits.push_back(s);
    }
    ASSERT_TRUE(allSounded());
    EXPECT_EQ(hits, Names(4, "hit.wav"));
    // The tick that sounded the last landing leaves the form up; the next one closes it.
    EXPECT_TRUE(GameForm->Visible());
    Tick();
    EXPECT_FALSE(GameForm->Visible());
    EXPECT_FALSE(Application->Terminated());  // the main form stays
    // Every landing line crossing comes from Top + 48 passing the form's height.
    for (int i = 0; i < 4; ++i) EXPECT_GT(Monster(i)->Top() + 48, GameForm->Height());
}

TEST_F(Game, AMonsterLandsOnceMoreThanItsLowerQuarterIsBelowTheForm) {
    TWingedMonster* m = Monster(2);
    Shoot(m);
    Sounds.Take();
    m->SetTop(GameForm->Height() - 48);  // exactly on the landing line
    Tick();
    EXPECT_FALSE(GameForm->Landed[2]);
    EXPECT_EQ(m->Top(), GameForm->Height() - 48 + 15);  // the tick's movement comes after the test
    EXPECT_TRUE(Sounds.TakeNames().empty());
    Tick();
    EXPECT_TRUE(GameForm->Landed[2]);
    EXPECT_EQ(Sounds.TakeNames(), Names{"hit.wav"});
    Tick();  // sounded once only
    EXPECT_TRUE(Sounds.TakeNames().empty());
}

TEST_F(Game, ALivingMonsterLowOnAShortFormNeverEndsTheGame) {
    GameForm->Show();
    GameForm->SetWindowState(wsNormal);
    GameForm->SetBounds(0, 0, 300, 100);
    for (int i = 1; i < 4; ++i) {
        Monster(i)->SetAlive(false);
        GameForm->Landed[i] = true;
    }
    Monster(0)->SetTop(80);  // alive, yet past the landing line
    for (int i = 0; i < 5; ++i) Tick();
    EXPECT_TRUE(GameForm->Landed[0]);
    EXPECT_TRUE(GameForm->Visible());
    EXPECT_EQ(Sounds.TakeNames(), Names{"hit.wav"});
}

}  // namespace
