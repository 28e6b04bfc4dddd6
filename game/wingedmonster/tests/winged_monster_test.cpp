// TWingedMonster: frames, steps, turning at the parent's edges, death,
// and the image lists it refers to but does not own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WingedMonster.h"

namespace {

// A strip of count 64x64 images, image i filled with colour i+1 (as the
// blue channel) so a drawn frame tells which image it was.
TImageList* MakeList(TComponent* owner, int count) {
    auto* list = new TImageList(owner);
    list->SetWidth(64);
    list->SetHeight(64);
    if (count == 0) return list;
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(64 * count, 64);
    for (int i = 0; i < count; ++i) {
        strip.Canvas()->Brush()->SetColor(static_cast<TColor>((i + 1) * 0x100000));
        strip.Canvas()->FillRect(Rect(64 * i, 0, 64 * (i + 1), 64));
    }
    list->Add(&strip, nullptr);
    return list;
}

// Which image the monster shows now: 0 for none drawn yet.
int Shown(TWingedMonster& m) {
    TBitmap* b = m.Picture()->Bitmap();
    if (b->Empty()) return 0;
    uint32_t c = static_cast<uint32_t>(b->Canvas()->Pixels(10, 10));
    return static_cast<int>(((c >> 16) & 0xFF) / 0x10);  // 16-bit storage keeps these steps
}

struct Monster : ::testing::Test {
    TForm* Field = new TForm(nullptr);  // a parent 320 wide
    TWingedMonster* M = new TWingedMonster(Field);
    TImageList* Flying = nullptr;
    TImageList* Dying = nullptr;

    Monster() { M->SetParent(Field); }
    ~Monster() override { delete Field; }
    void GiveLists() {
        Flying = MakeList(Field, 4);
        Dying = MakeList(Field, 1);
        M->SetLeftImages(Flying);
        M->SetRightImages(Flying);
        M->SetDeathImages(Dying);
    }
};

TEST_F(Monster, StartsSquareAliveHeadingLeftAndStandsStillWithoutLists) {
    EXPECT_EQ(M->Width(), 64);
    EXPECT_EQ(M->Height(), 64);
    EXPECT_TRUE(M->Alive());
    EXPECT_EQ(M->Direction(), mdLeft);
    EXPECT_EQ(M->HorizontalTravel(), 0);
    EXPECT_EQ(M->VerticalTravel(), 0);
    M->SetLeft(0);
    M->SetHorizontalTravel(5);
    M->Move();
    EXPECT_EQ(M->Left(), 0);
    EXPECT_EQ(M->FrameIndex, 0);
    EXPECT_TRUE(M->Picture()->Bitmap()->Empty());
}

TEST_F(Monster, TurnsOnlyOnceItsLeftEdgeIsPastAnEdgeOfTheParent) {
    GiveLists();
    M->SetHorizontalTravel(10);
    int w = Field->Width();
    M->SetLeft(0);
    M->Move();
    EXPECT_EQ(M->Direction(), mdLeft);
    EXPECT_EQ(M->Left(), -10);
    M->Move();  // at -10: turns, and this step already goes right
    EXPECT_EQ(M->Direction(), mdRight);
    EXPECT_EQ(M->Left(), 0);
    M->SetLeft(w);
    M->Move();
    EXPECT_EQ(M->Direction(), mdRight);
    EXPECT_EQ(M->Left(), w + 10);
    M->Move();
    EXPECT_EQ(M->Direction(), mdLeft);
    EXPECT_EQ(M->Left(), w);
}

TEST_F(Monster, FlapsThroughItsFramesInOrder) {
    GiveLists();
    M->SetHorizontalTravel(1);
    M->SetLeft(100);
    std::vector<int> shown, next;
    for (int i = 0; i < 6; ++i) {
        M->Move();
        shown.push_back(Shown(*M));
        next.push_back(M->FrameIndex);
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 1, 2}));
    EXPECT_EQ(next, (std::vector<int>{1, 2, 3, 0, 1, 2}));
}

TEST_F(Monster, UpAndDownDirectionsMakeALivingMonsterStandStill) {
    GiveLists();
    M->SetHorizontalTravel(5);
    M->SetVerticalTravel(5);
    M->SetBounds(100, 50, 64, 64);
    for (TMonsterDirection d : {mdUp, mdDown}) {
        M->SetDirection(d);
        M->Move();
        EXPECT_EQ(M->Left(), 100);
        EXPECT_EQ(M->Top(), 50);
        EXPECT_EQ(M->FrameIndex, 0);
        EXPECT_TRUE(M->Picture()->Bitmap()->Empty());
    }
}

TEST_F(Monster, ADeadMonsterShowsItsDeathFrameAndFallsForever) {
    GiveLists();
    M->SetHorizontalTravel(3);
    M->SetVerticalTravel(15);
    M->SetBounds(100, 20, 64, 64);
    for (int i = 0; i < 3; ++i) M->Move();
    ASSERT_EQ(M->FrameIndex, 3);
    M->SetAlive(false);  // changes nothing until the next step
    EXPECT_EQ(Shown(*M), 3);
    M->Move();
    // The horizontal step finds no frame 3 in the death list and draws
    // nothing; the vertical step draws death frame 0.
    EXPECT_EQ(M->FrameIndex, 0);
    EXPECT_EQ(Shown(*M), 1);
    EXPECT_EQ(M->Left(), 100 - 4 * 3);
    EXPECT_EQ(M->Top(), 35);
    for (int i = 0; i < 100; ++i) M->Move();
    EXPECT_EQ(M->Top(), 35 + 100 * 15);
    EXPECT_EQ(Shown(*M), 1);
    M->MoveUp();  // only a direct call makes it rise
    EXPECT_EQ(M->Top(), 35 + 99 * 15);
}

TEST_F(Monster, AnEmptyListDrawsNothingButTheMonsterStillMoves) {
    auto* empty = MakeList(Field, 0);
    M->SetLeftImages(empty);
    M->SetHorizontalTravel(4);
    M->SetLeft(100);
    M->Move();
    EXPECT_EQ(M->Left(), 96);
    EXPECT_EQ(M->FrameIndex, 0);
    EXPECT_TRUE(M->Picture()->Bitmap()->Empty());
}

TEST_F(Monster, ForgetsAnImageListThatIsFreed) {
    GiveLists();
    delete Flying;
    EXPECT_EQ(M->LeftImages(), nullptr);
    EXPECT_EQ(M->RightImages(), nullptr);
    EXPECT_EQ(M->DeathImages(), Dying);
    M->SetHorizontalTravel(4);
    M->SetLeft(100);
    M->Move();  // a no-op step rather than a use of freed memory
    EXPECT_EQ(M->Left(), 100);
}

TEST(MonsterWithoutParent, StepsWithoutTurning) {
    TComponent owner(nullptr);
    auto* m = new TWingedMonster(&owner);
    m->SetLeftImages(MakeList(&owner, 4));
    m->SetHorizontalTravel(7);
    m->SetLeft(-50);
    m->Move();
    EXPECT_EQ(m->Left(), -57);
    EXPECT_EQ(m->Direction(), mdLeft);
}

TEST(MonsterRegistration, PutsTheClassOnTheCorvanePage) {
    WingedMonster::Register();
    EXPECT_EQ(PalettePage("Corvane"), (std::vector<const TClassInfo*>{&TWingedMonster::StaticClass()}));
    EXPECT_EQ(GetClass("TWingedMonster"), &TWingedMonster::StaticClass());
}

TEST(MonsterStreaming, PublishesItsSevenPropertiesInOrderAfterThoseOfTheImage) {
    std::vector<const TPropInfo*> all = TWingedMonster::StaticClass().Properties();
    ASSERT_EQ(all.size(), TImage::StaticClass().Properties().size() + 7);
    std::vector<std::string> names;
    std::vector<TTypeKind> kinds;
    TWingedMonster m(nullptr);
    for (size_t i = all.size() - 7; i < all.size(); ++i) {
        names.push_back(all[i]->Name.c_str());
        kinds.push_back(all[i]->PropType()->Kind);
        // Stored, with the stream default 0 (null, false, mdLeft).
        EXPECT_TRUE(all[i]->HasDefault) << all[i]->Name;
        EXPECT_EQ(all[i]->Default, 0) << all[i]->Name;
        EXPECT_TRUE(all[i]->IsStored(&m)) << all[i]->Name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"LeftImages", "RightImages", "DeathImages", "HorizontalTravel",
                                               "VerticalTravel", "Alive", "Direction"}));
    using K = TTypeKind;
    EXPECT_EQ(kinds, (std::vector<K>{K::Class, K::Class, K::Class, K::Integer, K::Integer, K::Boolean,
                                     K::Enumeration}));
    const auto& values = all.back()->PropType()->EnumNames;
    EXPECT_EQ(std::vector<std::string>(values.begin(), values.end()),
              (std::vector<std::string>{"mdLeft", "mdRight", "mdUp", "mdDown"}));
    EXPECT_EQ(sizeof(TMonsterDirection), 1u);
}

TEST(MonsterStreaming, AMonsterSavedDeadLoadsAlive) {
    RegisterClasses({&TWingedMonster::StaticClass()});
    TForm form(nullptr);
    auto* m = new TWingedMonster(&form);
    m->SetName("M");
    m->SetAlive(false);
    m->SetHorizontalTravel(11);
    AnsiString text = WriteFormText(m);
    EXPECT_EQ(text.find("Alive"), AnsiString::npos) << text;
    EXPECT_NE(text.find("HorizontalTravel = 11"), AnsiString::npos) << text;
    TForm other(nullptr);
    auto* copy = new TWingedMonster(&other);
    ReadFormText(copy, text, "M");
    EXPECT_TRUE(copy->Alive());
    EXPECT_EQ(copy->HorizontalTravel(), 11);
}

}  // namespace
