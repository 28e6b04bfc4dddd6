// The platform's colour and font dialogs behind the stock editors' Edit,
// confirmed and cancelled as a user would with the buttons.
#include <gtest/gtest.h>

#include <thread>

#include "framework/forms/dialog_seam.h"
#include "framework/framework.h"

namespace {

// Presses a button of the next dialog box of this process.
class DialogButton {
public:
    explicit DialogButton(int button)
        : FWatcher([button] {
              for (int i = 0; i < 400; ++i) {
                  HWND box = FindWindowA("#32770", nullptr);
                  DWORD process = 0;
                  if (box) GetWindowThreadProcessId(box, &process);
                  if (box && process == GetCurrentProcessId() && IsWindowVisible(box)) {
                      PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                      return;
                  }
                  Sleep(25);
              }
          }) {}
    ~DialogButton() { FWatcher.join(); }

private:
    std::thread FWatcher;
};

TEST(EditorDialogs, ThePlatformDialogsShowTheValueAndGiveBackWhatIsConfirmed) {
    TColor colour = clTeal;
    {
        DialogButton ok(IDOK);
        EXPECT_TRUE(EditorDialogs().PickColor(colour));
    }
    EXPECT_EQ(colour, clTeal);
    {
        DialogButton cancel(IDCANCEL);
        EXPECT_FALSE(EditorDialogs().PickColor(colour));
    }

    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-16);
    font.SetStyle(fsBold | fsUnderline);
    font.SetColor(clRed);
    TFont shown;
    shown.Assign(&font);
    {
        DialogButton ok(IDOK);
        EXPECT_TRUE(EditorDialogs().PickFont(shown));
    }
    EXPECT_EQ(shown.Name(), "Tahoma");
    EXPECT_EQ(shown.Height(), -16);
    EXPECT_EQ(shown.Style(), fsBold | fsUnderline);
    EXPECT_EQ(shown.Color(), clRed);
}

TEST(EditorDialogs, TheFontDialogTakesAScriptedAnswerLikeEveryOtherDialog) {
    TFont font;
    font.SetName("Tahoma");
    font.SetColor(clRed);
    TModalResult button = mrCancel;
    TDialogAnswererScope answers([&](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        if (q.Kind != TDialogKind::Font || !q.Font || q.Font->Name() != "Tahoma") return std::nullopt;
        q.Font->SetName("Courier New");
        q.Font->SetStyle(fsItalic);
        return TDialogAnswer{button, "", clBlack};
    });
    EXPECT_FALSE(EditorDialogs().PickFont(font));
    EXPECT_EQ(font.Name(), "Tahoma");  // cancelled: unchanged
    button = mrOk;
    EXPECT_TRUE(EditorDialogs().PickFont(font));
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(font.Style(), fsItalic);
    EXPECT_EQ(font.Color(), clRed);
}

}  // namespace
