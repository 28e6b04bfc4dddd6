// The about form as built from its resource, and the paths of its hidden
// message, driven by key messages as the platform delivers them.
#include <gtest/gtest.h>

#include <string>

#include "framework/forms/application.h"
#include "framework/streaming/form_reader.h"
#include "framework/streaming/form_writer.h"
#include "About.h"

namespace {

const char* const Sentence = "We Are Watching You...";

class AboutFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // A stand-in main menu, so that the about form is not the main form
        // and OK hides it as in the game.
        if (!Application->MainForm()) Application->CreateForm(Menu);
    }
    void SetUp() override {
        Application->CreateForm(AboutForm);
        Form = AboutForm;
    }
    void TearDown() override {
        delete Form;
        AboutForm = nullptr;
    }

    // Step n (1 to 8) of the sequence.
    void Step(int n) { Type(TAboutForm::SecretKeys[n - 1]); }
    void Steps(std::initializer_list<int> steps) {
        for (int n : steps) Step(n);
    }
    void Type(char key) { Form->Perform(WM_CHAR, static_cast<unsigned char>(key), 0); }
    void Type(const std::string& keys) {
        for (char k : keys) Type(k);
    }
    std::string State() const {
        if (Form->OddStepDone && Form->EvenStepDone) return "both";
        if (Form->OddStepDone) return "AfterOdd";
        if (Form->EvenStepDone) return "AfterEven";
        return "Idle";
    }
    std::string Caption() const { return Form->Label5->Caption(); }

    static inline TForm* Menu = nullptr;
    TAboutForm* Form = nullptr;
};

TEST_F(AboutFormTest, ResourceBuildsTheComponentsInOrderWithTheHiddenLabelReady) {
    const char* names[] = {"Bevel1", "OkButton", "Image1", "Image2", "Label1",
                           "Label2", "Label3", "Label4", "Label5", "Timer1"};
    ASSERT_EQ(Form->ComponentCount(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Form->Components(i)->Name(), names[i]);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Form->Image1->Picture()->Width(), 294);
    ASSERT_NE(ObjectAs<TIcon>(Form->Image2->Picture()->Graphic()), nullptr);

    TFont* f = Form->Label5->Font();
    EXPECT_EQ(f->Name(), "Arial");
    EXPECT_EQ(f->Color(), clRed);
    EXPECT_EQ(f->Style(), fsBold);
    EXPECT_EQ(f->Height(), -16);
    EXPECT_EQ(f->Charset(), ANSI_CHARSET);
    EXPECT_EQ(Form->Label5->Color(), clBtnFace);
    EXPECT_EQ(Form->Label1->Font()->Height(), -11) << "the other labels follow the form's font";
    EXPECT_EQ(Form->OkButton->GroupIndex(), 1);
    EXPECT_FALSE(Form->Label5->Visible());
    // An empty label keeps one line of its font in height.
    EXPECT_GT(Form->Label5->Height(), 13);
    EXPECT_FALSE(Form->Timer1->Enabled());
    EXPECT_EQ(Form->Timer1->Interval(), 1000u);
    EXPECT_EQ(State(), "Idle");
}

// What the form writes reads back into the same form: the pictures, the
// label's own font and every control's values survive, defaults stay out.
TEST_F(AboutFormTest, WrittenFormReadsBackTheSame) {
    AnsiString text = WriteFormText(Form);
    EXPECT_EQ(text.find("AutoSize"), AnsiString::npos);
    EXPECT_EQ(text.find("Spacing"), AnsiString::npos);
    EXPECT_NE(text.find("Picture.Data"), AnsiString::npos);
    TAboutForm copy(nullptr);
    ReadFormText(&copy, text, "TABOUTFORM");
    EXPECT_EQ(WriteFormText(&copy), text);
    EXPECT_EQ(copy.Label5->Font()->Name(), "Arial");
    EXPECT_TRUE(ObjectAs<TIcon>(copy.Image2->Picture()->Graphic()));
}

TEST_F(AboutFormTest, EightKeysShowTheSentenceUntilTheTimerHidesIt) {
    Steps({1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(Caption(), "We Are Watching You");
    EXPECT_FALSE(Form->Label5->Visible()) << "built out of sight";
    Step(8);
    EXPECT_EQ(Caption(), Sentence);
    EXPECT_TRUE(Form->Label5->Visible());
    EXPECT_TRUE(Form->Timer1->Enabled());
    EXPECT_EQ(State(), "Idle");
    // The width of 200 lasts only until the caption is written after it.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Form->Label5->Font()->Handle());
    SIZE text;
    GetTextExtentPoint32A(dc, Sentence, static_cast<int>(strlen(Sentence)), &text);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(Form->Label5->Width(), text.cx);

    Form->Timer1->Tick();
    EXPECT_FALSE(Form->Label5->Visible());
    EXPECT_FALSE(Form->Timer1->Enabled());
    EXPECT_EQ(Caption(), Sentence) << "the caption stays until step 1 replaces it";
    Step(1);
    EXPECT_EQ(Caption(), "W");
}

TEST_F(AboutFormTest, OtherKeysAndUpperCaseLettersLeaveTheProgressAlone) {
    std::string upper;
    for (const char* k = TAboutForm::SecretKeys; *k; ++k) upper += static_cast<char>(toupper(*k));
    Type(upper);
    EXPECT_EQ(State(), "Idle");
    EXPECT_TRUE(Caption().empty());
    Step(1);
    Type("zx!" + upper);
    EXPECT_EQ(State(), "AfterOdd");
    Steps({2});
    Type("\r\x1b 9" + upper);
    EXPECT_EQ(State(), "AfterEven");
    Steps({3, 4, 5, 6, 7, 8});
    EXPECT_EQ(Caption(), Sentence);
}

TEST_F(AboutFormTest, FirstKeyStartsOnlyFromIdle) {
    Steps({1, 2});
    Step(1);
    EXPECT_EQ(State(), "AfterEven");
    EXPECT_EQ(Caption(), "We Ar");
    Step(3);
    Step(1);
    EXPECT_EQ(State(), "AfterOdd");
    EXPECT_EQ(Caption(), "We Are Wat");
}

TEST_F(AboutFormTest, EighthKeyEndsTheMessageFromAnyAfterEvenState) {
    Step(8);
    Step(1);
    Step(8);
    EXPECT_EQ(State(), "AfterOdd");
    EXPECT_FALSE(Form->Label5->Visible());
    Step(2);
    Step(8);
    EXPECT_EQ(Caption(), "We Ar...");
    EXPECT_TRUE(Form->Label5->Visible());
    EXPECT_EQ(State(), "Idle");
}

TEST_F(AboutFormTest, RepeatedStepsAppendAgainAsTheTableSays) {
    Steps({1, 2, 3, 4, 3});  // the third key again in AfterEven
    EXPECT_EQ(Caption(), "We Are Watchie Wat");
    EXPECT_EQ(State(), "AfterOdd");
    Steps({6, 7, 7, 7});
    EXPECT_EQ(Caption(), "We Are Watchie Watng Yououou");
    EXPECT_EQ(State(), "AfterEven");
    Step(5);  // from AfterEven, step 5 fires too
    EXPECT_EQ(State(), "AfterOdd");
}

TEST_F(AboutFormTest, SequenceSurvivesOkAndShowingTheFormAgain) {
    Form->Show();
    Steps({1, 2, 3, 4});
    Form->OkButton->Click();
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(Application->Terminated()) << "OK on a form that is not the main form only hides it";
    Form->Show();
    Steps({5, 6, 7, 8});
    EXPECT_EQ(Caption(), Sentence);
    EXPECT_TRUE(Form->Label5->Visible());
    Form->Hide();
}

// Typed keys reach FormKeyPress through the platform: the form has no
// control that takes the focus, so its own window holds it.
TEST_F(AboutFormTest, KeysTypedOnTheShownFormReachTheHiddenMessage) {
    Form->Show();
    EXPECT_EQ(GetFocus(), Form->Handle());
    for (const char* k = TAboutForm::SecretKeys; *k; ++k) {
        SHORT vk = VkKeyScanA(*k);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = LOBYTE(vk);
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        Application->ProcessMessages();
    }
    DWORD until = GetTickCount() + 2000;
    while (!Form->Label5->Visible() && GetTickCount() < until) {
        Sleep(10);
        Application->ProcessMessages();
    }
    EXPECT_EQ(Caption(), Sentence);
    EXPECT_TRUE(Form->Label5->Visible());
    // The one-second timer runs through the message loop.
    until = GetTickCount() + 3000;
    while (Form->Label5->Visible() && GetTickCount() < until) {
        Sleep(20);
        Application->ProcessMessages();
    }
    EXPECT_FALSE(Form->Label5->Visible());
    Form->Hide();
}

}  // namespace
