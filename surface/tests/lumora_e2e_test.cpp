// LumoraProject.exe as a person meets it, on a Wine virtual desktop of
// its own: the screen switches to 800 by 600 at 8 bits, shows the stored
// picture stretched over all of it on every repaint, and is given back
// when the program ends.
#include <gtest/gtest.h>

#include "framework/graphics/bitmap.h"
#include "testing/message_boxes.h"
#include "testing/child_process.h"
#include "testing/screenshot.h"
#include "virtual_desktop.h"

using namespace surface_testing;
using suite::testing::MessageBoxAnswerer;
using suite::testing::ChildProcess;
using suite::testing::Image;

namespace {

// The asset stretched to the screen the way the program stretches it.
Image ExpectedScreen() {
    TBitmap background;
    background.LoadFromFile(BesideThisProgram("background.bmp"));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 800, 600);
    HGDIOBJ old = SelectObject(memory, canvas);
    StretchBlt(memory, 0, 0, 800, 600, background.Canvas()->Handle(), 0, 0, background.Width(),
               background.Height(), SRCCOPY);
    Image expected = suite::testing::CaptureDC(memory, 800, 600);
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return expected;
}

// Share of pixels that are exactly as expected.
double Agreement(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height) return 0;
    size_t same = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) same += a.pixels[i] == b.pixels[i];
    return double(same) / double(a.pixels.size());
}

// The screen once it shows the expected picture, or as it is after the
// time limit (the program paints when its messages come round).
Image ScreenOnceItShows(const Image& expected, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    Image shown = suite::testing::CaptureScreen();
    while (Agreement(shown, expected) < 0.99 && GetTickCount() - start < timeoutMs) {
        Sleep(100);
        shown = suite::testing::CaptureScreen();
    }
    return shown;
}

TEST(LumoraProject, TakesTheScreenShowsThePictureOnEveryRepaintAndGivesTheScreenBack) {
    if (!InsideTestDesktop()) {
        EXPECT_EQ(RunThisTestInDesktop(), 0u);
        return;
    }
    const DEVMODEA before = CurrentMode();
    const Image expected = ExpectedScreen();
    ChildProcess program(BesideThisProgram("LumoraProject.exe"));
    ASSERT_TRUE(program.Started());
    MessageBoxAnswerer boxes(program.ProcessId());  // none expected
    HWND form = program.WaitForWindow("TForm1", "Form1", 10000);
    ASSERT_NE(form, nullptr);
    Image shown = ScreenOnceItShows(expected, 15000);
    shown.Save(BesideThisProgram("LumoraProject-screen.png"));
    EXPECT_GT(Agreement(shown, expected), 0.99);

    const DEVMODEA during = CurrentMode();
    EXPECT_EQ(during.dmPelsWidth, 800u);
    EXPECT_EQ(during.dmPelsHeight, 600u);
    // (Wine answers the colour depth per process: another program is told
    // its own depth, so only the program itself sees the 8 bits.)

    // Someone paints over the screen; the next repaint restores the picture.
    HDC screen = GetDC(nullptr);
    PatBlt(screen, 0, 0, 800, 600, BLACKNESS);
    ReleaseDC(nullptr, screen);
    EXPECT_LT(Agreement(suite::testing::CaptureScreen(), expected), 0.5);
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(Agreement(ScreenOnceItShows(expected, 15000), expected), 0.99);

    PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.Wait(10000), 0u);
    EXPECT_TRUE(boxes.Seen().empty());
    const DEVMODEA after = CurrentMode();
    EXPECT_EQ(after.dmPelsWidth, before.dmPelsWidth);
    EXPECT_EQ(after.dmPelsHeight, before.dmPelsHeight);
}

TEST(LumoraProject, WithoutDirectDrawSaysSoWhileTheFormIsMadeAndStillOpensIt) {
    if (!InsideTestDesktop()) {
        EXPECT_EQ(RunThisTestInDesktop("ddraw", "LumoraProject.exe"), 0u);
        return;
    }
    ChildProcess program(BesideThisProgram("LumoraProject.exe"));
    ASSERT_TRUE(program.Started());
    MessageBoxAnswerer boxes(program.ProcessId());
    ASSERT_TRUE(boxes.WaitForCount(1, 10000));
    const auto seen = boxes.Seen();
    EXPECT_EQ(seen[0].caption, ":-(");
    EXPECT_EQ(seen[0].text, "Could Not Initialize");
    EXPECT_EQ(seen[0].buttons, std::vector<std::string>{"OK"});
    HWND form = program.WaitForWindow("TForm1", "Form1", 10000);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(seen[0].owner, form);  // the box belonged to the form being made
    RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);  // painting without a surface
    Sleep(200);
    EXPECT_TRUE(program.Running());
    PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.Wait(10000), 0u);
    EXPECT_EQ(boxes.Seen().size(), 1u);
}

}  // namespace
