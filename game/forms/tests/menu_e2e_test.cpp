// skelder.exe as a person uses it: the main menu comes up centred with the
// other forms hidden; About and Play show their forms over it; Quit ends
// the program with exit code 0 whichever form is in front.
#include <gtest/gtest.h>

#include "testing/real_input.h"
#include "testing/child_process.h"
#include "testing/screenshot.h"

using namespace suite::testing;
using suite::testing::CaptureClientArea;
using suite::testing::CaptureWindow;
using suite::testing::ChildProcess;

namespace {

// Centres of the three buttons in the menu's client area.
const POINT Play{88, 36}, About{88, 100}, Quit{88, 164};

struct WindowSearch {
    DWORD pid;
    const char* className;
    bool found;
};

BOOL CALLBACK FindShown(HWND w, LPARAM param) {
    auto& s = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (owner == s.pid && strcmp(cls, s.className) == 0 && IsWindowVisible(w)) s.found = true;
    return TRUE;
}

// Whether the program shows a top-level window of the class.
bool Shown(DWORD pid, const char* className) {
    WindowSearch s{pid, className, false};
    EnumWindows(FindShown, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

class SkelderProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Program.Started());
        Menu = Program.WaitForWindow("TMainForm", "Skelder", 10000);
        ASSERT_NE(Menu, nullptr);
        Activate(Menu);
    }
    void Click(POINT p) {
        Activate(Menu);
        ClickAt(Menu, p.x, p.y);
    }
    ChildProcess Program{"skelder.exe"};
    HWND Menu = nullptr;
};

TEST_F(SkelderProgram, StartsOnTheCentredMenuAndQuitEndsIt) {
    RECT client, frame;
    GetClientRect(Menu, &client);
    EXPECT_EQ(client.right, 177);
    EXPECT_EQ(client.bottom, 201);
    GetWindowRect(Menu, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
    EXPECT_FALSE(Shown(Program.ProcessId(), "TGameForm"));
    EXPECT_FALSE(Shown(Program.ProcessId(), "TAboutForm"));
    // Let the pointer rest on Play so that its flat edge shows.
    ClickAt(Menu, 170, 195);
    SetCursorPos(0, 0);
    POINT p = Play;
    ClientToScreen(Menu, &p);
    SetCursorPos(p.x, p.y);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &move, sizeof move);
    Sleep(300);
    CaptureWindow(Menu).Save("skelder_menu.png");

    Click(Quit);
    EXPECT_EQ(Program.Wait(5000), 0u);
}

TEST_F(SkelderProgram, AboutShowsTheAboutBoxAndOkReturnsToTheMenu) {
    Click(About);
    HWND about = Program.WaitForWindow("TAboutForm", "About Skelder", 5000);
    ASSERT_NE(about, nullptr);
    // No activation by the test: About itself puts the box in front with the
    // focus. The box shows a moment before it is in front; keys typed in
    // between would go to the menu.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about; }, 3000));
    TypeKeys("gryphons");
    // The sentence stays a second once the keys are handled; on a busy
    // machine that may be well after they were sent.
    EXPECT_TRUE(WaitUntil(
        [&] {
            auto shot = CaptureClientArea(about);
            return shot.Count(0x00FF0000, RECT{80, 165, 340, 190}) > 50;
        },
        5000));
    ClickAt(about, 253 + 38, 214 + 12);  // OK
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about); }, 3000));
    EXPECT_TRUE(Program.Running()) << "OK on the game's about box only hides it";
    EXPECT_TRUE(IsWindowVisible(Menu));

    Click(About);  // the about box comes back; Quit from behind it
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(about) != FALSE; }, 3000));
    // The sentence's second runs on while the box is hidden and shown again.
    EXPECT_TRUE(WaitUntil(
        [&] { return CaptureClientArea(about).Count(0x00FF0000, RECT{80, 165, 340, 190}) == 0; }, 2500));
    Click(Quit);
    EXPECT_EQ(Program.Wait(5000), 0u);
}

TEST_F(SkelderProgram, PlayShowsTheGameAndQuitEndsItWhileTheGameRuns) {
    Click(Play);
    EXPECT_NE(Program.WaitForWindow("TGameForm", nullptr, 5000), nullptr);
    Sleep(500);
    EXPECT_TRUE(Program.Running());
    Click(Quit);
    EXPECT_EQ(Program.Wait(5000), 0u);
}

TEST_F(SkelderProgram, ClosingTheMenuEndsTheProgram) {
    PostMessageA(Menu, WM_CLOSE, 0, 0);
    EXPECT_EQ(Program.Wait(5000), 0u);
}

}  // namespace
