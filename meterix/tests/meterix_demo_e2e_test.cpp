// MeterixDemo.exe as a person uses it: with the control registered, its
// buttons step the hosted bar; without it, the program says what to run.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "testing/child_process.h"
#include "testing/message_boxes.h"
#include "testing/real_input.h"
#include "testing/screenshot.h"

using namespace suite::testing;

namespace {

// Clicks the button with this caption, at its middle.
void ClickButton(HWND form, const char* caption) {
    HWND button = FindWindowExA(form, nullptr, "TButton", caption);
    ASSERT_NE(button, nullptr) << caption;
    RECT r{};
    GetWindowRect(button, &r);
    MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
    ClickAt(form, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

}  // namespace

TEST(MeterixDemo, ButtonsStepTheHostedBarAndTheScreenShowsIt) {
    ASSERT_EQ(RunProgram("regsvr32 /s Meterix.dll"), 0u);
    {
        ChildProcess demo("MeterixDemo.exe");
        ASSERT_TRUE(demo.Started());
        HWND form = demo.WaitForWindow("TDemoForm", "Meterix demo", 15000);
        ASSERT_NE(form, nullptr);
        HWND proxy = FindWindowExA(form, nullptr, "TProgressBarXProxy", nullptr);
        ASSERT_NE(proxy, nullptr);
        HWND bar = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (bar = FindWindowExA(proxy, nullptr, "TProgressBar", nullptr)) != nullptr; },
                              5000));
        Activate(form);
        // As a person does: each click once the one before has shown.
        auto clickUntil = [&](const char* caption, LRESULT position) {
            ClickButton(form, caption);
            return WaitUntil([&] { return SendMessageA(bar, PBM_GETPOS, 0, 0) == position; }, 5000);
        };
        for (int i = 1; i <= 3; ++i) ASSERT_TRUE(clickUntil("Step", 10 * i)) << SendMessageA(bar, PBM_GETPOS, 0, 0);
        ASSERT_TRUE(clickUntil("Back 5", 25)) << SendMessageA(bar, PBM_GETPOS, 0, 0);
        Sleep(300);
        Image shot = CaptureWindow(form);
        shot.Save("meterix_demo.png");
        // Half of the bar (25 of 50) is filled: its left part differs from its right.
        RECT r{};
        GetWindowRect(bar, &r);
        RECT frame{};
        GetWindowRect(form, &frame);
        int y = (r.top + r.bottom) / 2 - frame.top;
        EXPECT_NE(shot.At(r.left - frame.left + 20, y), shot.At(r.right - frame.left - 20, y));
        PostMessageA(form, WM_CLOSE, 0, 0);
        EXPECT_EQ(demo.Wait(10000), 0u);
    }
    EXPECT_EQ(RunProgram("regsvr32 /s /u Meterix.dll"), 0u);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "TypeLib\\{FB529B2B-A1BF-11D1-AAEC-00C04FAD1EAD}");

    // Not registered: it says what to run and ends.
    AnsweredRun run = RunAnsweringMessageBoxes("MeterixDemo.exe", 30000);
    EXPECT_EQ(run.exitCode, 2u);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, "Meterix demo");
    EXPECT_NE(run.boxes[0].text.find("regsvr32 Meterix.dll"), std::string::npos) << run.boxes[0].text;
}
