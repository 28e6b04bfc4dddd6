// Modal forms and the framework's dialogs: a button's result ends the
// modal loop while the program's other windows wait disabled, closing
// gives mrCancel; each dialog answered through the dialog answerer, and
// each once for real, with the keyboard and the mouse.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/framework.h"
#include "testing/real_input.h"
#include "testing/screenshot.h"

namespace {

using namespace suite::testing;

// Acts on a window of the given class and caption once it shows, from a
// timer that runs inside the dialog's own message loop; again every second
// while it stays, in case a window of a test running beside this one took
// the keyboard between the activation and the keys.
class TResponder : public TObject {
public:
    TResponder(const char* windowClass, const char* caption, std::function<void(HWND)> act)
        : FClass(windowClass), FCaption(caption), FAct(std::move(act)), FTimer(nullptr) {
        FTimer.SetInterval(50);
        FTimer.OnTimer = TNotifyEvent(this, &TResponder::Tick);
        FTimer.SetEnabled(false);
        FTimer.SetEnabled(true);  // starts it, now that it has a handler
    }
    bool Acted() const { return FActed; }

private:
    void Tick(TObject*) {
        HWND window = FindWindowA(FClass, FCaption);
        if (!window || !IsWindowVisible(window)) return;
        if (FActed && GetTickCount() - FActedAt < 1000) return;
        Activate(window);
        FAct(window);
        FActed = true;
        FActedAt = GetTickCount();
    }
    const char* FClass;
    const char* FCaption;
    std::function<void(HWND)> FAct;
    TTimer FTimer;
    bool FActed = false;
    DWORD FActedAt = 0;
};

struct TClicks : TObject {
    std::vector<bool> OtherEnabled;
    HWND Other = nullptr;
    bool Refuse = false;
    void Clicked(TObject* sender) {
        OtherEnabled.push_back(IsWindowEnabled(Other) != FALSE);
        if (Refuse) GetParentForm(static_cast<TControl*>(sender))->SetModalResult(mrNone);
        Refuse = false;
    }
};

TButton* AddButton(TForm* form, const char* name, TModalResult result) {
    auto button = new TButton(form);
    button->SetName(name);
    button->SetParent(form);
    button->SetModalResult(result);
    return button;
}

TEST(ModalForms, AButtonsResultEndsTheLoopWhileTheOtherWindowsWait) {
    TForm other(nullptr);
    other.Show();
    TForm dialog(nullptr);
    TButton* ok = AddButton(&dialog, "Ok", mrOk);
    TClicks clicks;
    clicks.Other = other.Handle();
    clicks.Refuse = true;  // the first click's handler keeps the form open
    ok->OnClick = TNotifyEvent(&clicks, &TClicks::Clicked);
    PostMessageA(ok->Handle(), BM_CLICK, 0, 0);
    PostMessageA(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(clicks.OtherEnabled, (std::vector<bool>{false, false}));
    EXPECT_TRUE(IsWindowEnabled(other.Handle()));
    EXPECT_FALSE(dialog.Visible());

    PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), mrCancel) << "closing the window cancels";
    EXPECT_TRUE(IsWindowEnabled(other.Handle()));
}

TEST(Dialogs, EachAsksTheAnswererFirst) {
    std::vector<TDialogQuestion> asked;
    std::vector<TDialogAnswer> answers = {
        {mrOk, "", clBlack}, {mrNo, "", clBlack}, {mrOk, "42", clBlack}, {mrCancel, "7", clBlack},
        {mrOk, "", clLime},  {mrCancel, "", clAqua},
    };
    TDialogAnswererScope scope([&](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        asked.push_back(q);
        if (q.Kind == TDialogKind::Form) {
            static_cast<TButton*>(q.Form->FindComponent("Ok"))->Click();
            return TDialogAnswer{mrNone, "", clBlack};
        }
        TDialogAnswer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });

    ShowMessage("Hello");
    EXPECT_EQ(MessageDlg("Sure?", mtConfirmation, mbYes | mbNo), mrNo);
    AnsiString value = "1";
    EXPECT_TRUE(InputQuery("Number", "Enter a number", value));
    EXPECT_EQ(value, "42");
    EXPECT_FALSE(InputQuery("Number", "Enter a number", value));
    EXPECT_EQ(value, "42") << "a cancelled answer leaves the value";
    TColorDialog colors(nullptr);
    colors.SetColor(clRed);
    EXPECT_TRUE(colors.Execute());
    EXPECT_EQ(colors.Color(), clLime);
    EXPECT_FALSE(colors.Execute());
    EXPECT_EQ(colors.Color(), clLime);

    TForm dialog(nullptr);
    auto ok = new TBitBtn(&dialog);
    ok->SetName("Ok");
    ok->SetParent(&dialog);
    ok->SetKind(bkOK);
    EXPECT_EQ(dialog.ShowModal(), mrOk) << "the answerer pressed OK";
    EXPECT_FALSE(dialog.HandleAllocated()) << "never shown";

    ASSERT_EQ(asked.size(), 7u);
    EXPECT_EQ(asked[0].Kind, TDialogKind::Message);
    EXPECT_EQ(asked[0].Text, "Hello");
    EXPECT_EQ(asked[0].Caption, Application->Title());
    EXPECT_EQ(asked[0].Buttons, mbOK);
    EXPECT_EQ(asked[1].Caption, "Confirm");
    EXPECT_EQ(asked[1].Buttons, mbYes | mbNo);
    EXPECT_EQ(asked[2].Kind, TDialogKind::Input);
    EXPECT_EQ(asked[2].Caption, "Number");
    EXPECT_EQ(asked[2].Text, "Enter a number");
    EXPECT_EQ(asked[2].Value, "1");
    EXPECT_EQ(asked[3].Value, "42");
    EXPECT_EQ(asked[4].Kind, TDialogKind::Color);
    EXPECT_EQ(asked[4].Color, clRed);
    EXPECT_EQ(asked[6].Kind, TDialogKind::Form);
    EXPECT_EQ(asked[6].Form, &dialog);
}

TEST(RealDialogs, AMessageClosesWithEnterAndItsButtonsFollowTheTabOrder) {
    TResponder enter("TMessageForm", Application->Title().c_str(), [](HWND) { PressKey(VK_RETURN); });
    ShowMessage("A message for a person");
    EXPECT_TRUE(enter.Acted());

    TResponder tabThenEnter("TMessageForm", "Confirm", [](HWND window) {
        CaptureWindow(window).Save("message_dialog.png");
        PressKey(VK_TAB);
        PressKey(VK_RETURN);
    });
    EXPECT_EQ(MessageDlg("Really?", mtConfirmation, mbYes | mbNo), mrNo);
}

TEST(RealDialogs, AnInputQueryTakesTypedTextOnEnterAndNothingOnEscape) {
    AnsiString value = "old";
    TResponder typing("TForm", "Widget Number Dialog", [](HWND window) {
        CaptureWindow(window).Save("input_query.png");  // the starting text, selected
        TypeKeys("42");
        PressKey(VK_RETURN);
    });
    EXPECT_TRUE(InputQuery("Widget Number Dialog", "Enter number of Widget1", value));
    EXPECT_EQ(value, "42") << "typing replaced the selected starting text";

    TResponder escape("TForm", "Widget Number Dialog", [](HWND) {
        TypeKeys("9");
        PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(InputQuery("Widget Number Dialog", "Enter number of Widget1", value));
    EXPECT_EQ(value, "42");
}

TEST(RealDialogs, TheColourDialogGivesThePickedColourOnOkAndNothingOnEscape) {
    TColorDialog dialog(nullptr);
    dialog.SetColor(clRed);
    uint32_t picked = 0;
    TResponder pick("#32770", "Color", [&picked](HWND window) {
        // The basic colours' first square, clicked with the mouse.
        HWND swatches = GetDlgItem(window, 0x2d0);
        RECT r;
        GetClientRect(swatches, &r);
        POINT at{r.right / 16, r.bottom / 12};
        picked = CaptureClientArea(swatches).At(at.x, at.y);
        ClickAt(swatches, at.x, at.y);
        PressKey(VK_RETURN);
    });
    ASSERT_TRUE(dialog.Execute());
    ASSERT_NE(picked, 0u);
    uint32_t bgr = ((picked & 0xFF) << 16) | (picked & 0xFF00) | ((picked >> 16) & 0xFF);
    EXPECT_EQ(static_cast<uint32_t>(dialog.Color()), bgr);
    EXPECT_NE(dialog.Color(), clRed);

    TColor before = dialog.Color();
    TResponder escape("#32770", "Color", [](HWND) { PressKey(VK_ESCAPE); });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), before);
}

}  // namespace
