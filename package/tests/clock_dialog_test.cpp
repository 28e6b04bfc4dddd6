// The two editor dialogs as their form resources build them, and each
// driven once by real input while it is shown modally.
#include <functional>
#include <vector>

#include "ClockAttributes/ClockAttributes.h"
#include "ClockEditor/ClockEditor.h"
#include "clock_fixture.h"
#include "testing/real_input.h"

namespace {

using ClockDialogs = ClockTest;

template <class D>
std::unique_ptr<D> Make() {
    return std::unique_ptr<D>(static_cast<D*>(D::StaticClass().Create(Application)));
}

TEST_F(ClockDialogs, TheClockEditorDialogAsDesigned) {
    auto d = Make<TClockEditorDialog>();
    EXPECT_EQ(d->Caption(), "ClockEditorDialog");
    EXPECT_EQ(std::make_pair(d->Left(), d->Top()), std::make_pair(344, 157));
    EXPECT_EQ(std::make_pair(d->ClientWidth(), d->ClientHeight()), std::make_pair(404, 245));
    EXPECT_FALSE(d->AutoScroll());
    EXPECT_EQ(d->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(d->Font()->Height(), -14);
    EXPECT_EQ(d->PixelsPerInch(), 120);
    EXPECT_EQ(d->SetFaceColorBtn->Caption(), "Set Face Color");
    EXPECT_EQ(d->SetBackColorBtn->Caption(), "Set Back Color ");
    EXPECT_EQ(d->SetBackColorBtn->BoundsRect().top, 118);
    EXPECT_EQ(d->Panel1->Caption(), "TColorClock2 Component Editor");
    EXPECT_EQ(d->Panel1->Align(), alTop);
    EXPECT_EQ(d->Panel1->Font()->Name(), "Comic Sans MS");
    EXPECT_EQ(d->Panel1->Font()->Height(), -23);
    EXPECT_EQ(d->Panel1->Font()->Charset(), TFontCharset(ANSI_CHARSET));
    EXPECT_EQ(d->BitBtn1->Kind(), bkOK);
    EXPECT_EQ(d->BitBtn1->TabOrder(), 3);
    EXPECT_TRUE(d->Image1->Stretch());
    EXPECT_EQ(d->Image1->Picture()->Width(), 240);
    EXPECT_EQ(d->Image1->Picture()->Height(), 180);
    EXPECT_TRUE(d->ColorDialog1->Ctl3D());
    EXPECT_EQ(d->ColorDialog1->DesignInfo().Left, 16);
    EXPECT_EQ(d->Clock, nullptr);
}

TEST_F(ClockDialogs, TheAttributesDialogAsDesigned) {
    auto d = Make<TClockAttributesDialog>();
    EXPECT_EQ(d->Caption(), "ClockAttributesDialog");
    EXPECT_EQ(d->BoundsRect().left, 387);
    EXPECT_EQ(d->Width(), 479);
    EXPECT_EQ(d->Height(), 280);
    EXPECT_EQ(d->Font()->Height(), -13);
    EXPECT_EQ(d->Panel1->Caption(), "Attributes Property Editor");
    EXPECT_EQ(d->Panel1->Align(), alTop);
    EXPECT_EQ(d->Panel1->Height(), 41);
    EXPECT_EQ(d->ComboBox1->Items()->Items(),
              (std::vector<AnsiString>{"Rectangle", "Square", "RoundRect", "RoundSquare", "Ellipse", "Circle"}));
    EXPECT_EQ(d->ComboBox1->Text(), "stEllipse");
    EXPECT_EQ(d->ComboBox1->ItemIndex(), -1) << "the designed text is no item";
    EXPECT_EQ(d->GetColorsBtn->Caption(), "Get Colors");
    EXPECT_EQ(d->BitBtn2->Kind(), bkOK);
    EXPECT_TRUE(d->Image1->Stretch());
    EXPECT_EQ(d->Image1->Picture()->Width(), 240);
    EXPECT_EQ(d->ColorDialog1->DesignInfo().Top, 48);
}

// Steps run one after another from a thread timer while the dialog is
// shown modally; the dialog that shows is caught at the dialog seam.
class ModalDriver {
public:
    explicit ModalDriver(std::vector<std::function<void(TForm*)>> steps) : FSteps(std::move(steps)) {
        Current = this;
        FAnswers = std::make_unique<TDialogAnswererScope>([this](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
            if (q.Kind == TDialogKind::Color) return TDialogAnswer{mrOk, "", clYellow};
            FForm = q.Form;
            FTimer = SetTimer(nullptr, 0, 150, &ModalDriver::Tick);
            return std::nullopt;  // shown, for real input
        });
    }
    ~ModalDriver() {
        KillTimer(nullptr, FTimer);
        Current = nullptr;
    }
    bool Finished() const { return FNext == FSteps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalDriver* d = Current;
        if (!d || !d->FForm || !IsWindowVisible(d->FForm->Handle())) return;
        if (d->FNext < d->FSteps.size()) {
            d->FSteps[d->FNext++](d->FForm);
        } else if (++d->FIdle > 40) {
            d->FForm->SetModalResult(mrAbort);  // never hang: the test fails on the result
        }
    }
    static inline ModalDriver* Current = nullptr;
    std::vector<std::function<void(TForm*)>> FSteps;
    std::unique_ptr<TDialogAnswererScope> FAnswers;
    TForm* FForm = nullptr;
    UINT_PTR FTimer = 0;
    size_t FNext = 0;
    int FIdle = 0;
};

void ClickMiddle(TWinControl* control) {
    suite::testing::ClickAt(control->Handle(), control->Width() / 2, control->Height() / 2);
}

TEST_F(ClockDialogs, RealInputPicksAShapeAndPressesOk) {
    auto clock = Place<TMyClock2>(100, 100, stEllipse);
    ModalDriver driver({[](TForm* f) { suite::testing::Activate(f->Handle()); },
                        [](TForm* f) { ClickMiddle(static_cast<TClockAttributesDialog*>(f)->ComboBox1); },
                        [](TForm*) { suite::testing::PressKey(VK_UP); },
                        [](TForm* f) { ClickMiddle(static_cast<TClockAttributesDialog*>(f)->BitBtn2); }});
    ShowClockAttributesDialog(clock->ClockAttributes());
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(clock->ClockAttributes()->Shape(), stRoundSquare) << "one up from Ellipse";
}

TEST_F(ClockDialogs, RealInputSetsTheFaceColourAndCloses) {
    auto clock = Place<TColorClock2>(100, 100, stEllipse);
    ModalDriver driver({[](TForm* f) { suite::testing::Activate(f->Handle()); },
                        [](TForm* f) { ClickMiddle(static_cast<TClockEditorDialog*>(f)->SetFaceColorBtn); },
                        [](TForm* f) { ClickMiddle(static_cast<TClockEditorDialog*>(f)->BitBtn1); }});
    ShowClockEditorDialog(clock);
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(clock->FaceColor(), clYellow);
    EXPECT_EQ(clock->ClockAttributes()->Color(), clRed);
}

}  // namespace
