// The main menu with the real game and about forms, made by the program's
// own start-up step, driven through its buttons.
#include <gtest/gtest.h>

#include "framework/forms/application.h"
#include "framework/streaming/form_writer.h"
#include "About.h"
#include "Game.h"
#include "Main.h"

namespace {

class MainMenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Application->Initialize();
        CreateSkelderForms();
    }
    // Where the application holds the form among the ones it made.
    static int CreationIndex(TForm* form) {
        for (int i = 0; i < Application->ComponentCount(); ++i)
            if (Application->Components(i) == form) return i;
        return -1;
    }
    void TearDown() override {
        GameForm->Hide();
        AboutForm->Hide();
        // Quit posts the loop's end; take it off the queue and start afresh.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        Application->Initialize();
    }
};

TEST_F(MainMenuTest, FormsAreMadeInOrderAndTheMenuIsTheMainForm) {
    ASSERT_NE(MainForm, nullptr);
    ASSERT_NE(GameForm, nullptr);
    ASSERT_NE(AboutForm, nullptr);
    EXPECT_EQ(Application->MainForm(), MainForm);
    EXPECT_GE(CreationIndex(MainForm), 0);
    EXPECT_LT(CreationIndex(MainForm), CreationIndex(GameForm));
    EXPECT_LT(CreationIndex(GameForm), CreationIndex(AboutForm));
    EXPECT_FALSE(GameForm->Visible());
    EXPECT_FALSE(AboutForm->Visible());

    ASSERT_EQ(MainForm->ComponentCount(), 3);
    EXPECT_EQ(MainForm->Components(0), MainForm->PlayButton);
    EXPECT_EQ(MainForm->Components(1), MainForm->AboutButton);
    EXPECT_EQ(MainForm->Components(2), MainForm->QuitButton);
    TBitmap* glyph = MainForm->PlayButton->Glyph();
    EXPECT_EQ(glyph->Width(), 64);
    EXPECT_EQ(glyph->Height(), 64);
    EXPECT_EQ(glyph->BitsPerPixel(), 24);
    EXPECT_TRUE(MainForm->AboutButton->Glyph()->Empty());
    EXPECT_TRUE(MainForm->QuitButton->Glyph()->Empty());
    // The buttons keep their own large font rather than the form's.
    for (TSpeedButton* b : {MainForm->PlayButton, MainForm->AboutButton, MainForm->QuitButton}) {
        EXPECT_EQ(b->Font()->Height(), -24) << b->Name();
        EXPECT_EQ(b->Font()->Name(), "MS Sans Serif");
        EXPECT_FALSE(b->ParentFont());
    }
    EXPECT_EQ(MainForm->Font()->Height(), -11);
    // Only the one glyph there is gets written back.
    AnsiString text = WriteFormText(MainForm);
    size_t first = text.find("Glyph.Data");
    EXPECT_NE(first, AnsiString::npos);
    EXPECT_EQ(text.find("Glyph.Data", first + 1), AnsiString::npos);
}

TEST_F(MainMenuTest, PlayOnAVisibleGameOnlyBringsItToTheFront) {
    MainForm->PlayButton->Click();
    ASSERT_TRUE(GameForm->Visible());
    EXPECT_EQ(GameForm->Shells, 6);
    GameForm->FormClick(GameForm);  // a miss
    EXPECT_EQ(GameForm->Shells, 5);
    MainForm->PlayButton->Click();
    EXPECT_TRUE(GameForm->Visible());
    EXPECT_EQ(GameForm->Shells, 5) << "the game was reset";
    EXPECT_EQ(GetForegroundWindow(), GameForm->Handle());
    // Shown again after closing, the game starts afresh.
    GameForm->Close();
    EXPECT_FALSE(GameForm->Visible());
    EXPECT_FALSE(Application->Terminated());
    MainForm->PlayButton->Click();
    EXPECT_EQ(GameForm->Shells, 6);
}

TEST_F(MainMenuTest, AboutShowsTheAboutBoxAndOkHidesIt) {
    MainForm->AboutButton->Click();
    EXPECT_TRUE(AboutForm->Visible());
    AboutForm->OkButton->Click();
    EXPECT_FALSE(AboutForm->Visible());
    EXPECT_FALSE(Application->Terminated());
    EXPECT_TRUE(MainForm->Visible() || !MainForm->HandleAllocated());
}

TEST_F(MainMenuTest, QuitEndsTheProgramFromBehindTheOtherForms) {
    MainForm->PlayButton->Click();
    MainForm->AboutButton->Click();
    MainForm->QuitButton->Click();
    EXPECT_TRUE(Application->Terminated());
}

}  // namespace
