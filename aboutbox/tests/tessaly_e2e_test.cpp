// Tessaly.exe as a person uses it: typed letters show the hidden sentence
// in bold red for a second, and OK ends the program.
#include <gtest/gtest.h>

#include <cstring>

#include "testing/child_process.h"
#include "testing/real_input.h"
#include "testing/screenshot.h"

using namespace suite::testing;
using suite::testing::CaptureClientArea;
using suite::testing::ChildProcess;
using suite::testing::Image;

namespace {

const char* const Keys = "gryphons";
const char* const Sentence = "We Are Watching You...";
const uint32_t Red = 0x00FF0000;

// The columns holding pure red pixels in the label's band of the dialog.
struct RedExtent {
    int count = 0, left = 0, right = -1;
    int Width() const { return right - left + 1; }
};
RedExtent FindRed(const Image& shot) {
    RedExtent e;
    e.left = shot.width;
    for (int y = 160; y < 195 && y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (shot.At(x, y) == Red) {
                ++e.count;
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
            }
    return e;
}

int TextWidth(int weight) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-16, 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size;
    GetTextExtentPoint32A(dc, Sentence, static_cast<int>(strlen(Sentence)), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

TEST(TessalyProgram, HiddenSentenceShowsInBoldRedForASecondAndOkEndsTheProgram) {
    ChildProcess program("Tessaly.exe");
    ASSERT_TRUE(program.Started());
    HWND about = program.WaitForWindow("TAboutForm", "About Skelder", 10000);
    ASSERT_NE(about, nullptr);
    RECT client;
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, 340);
    EXPECT_EQ(client.bottom, 250);
    // Centred on the screen.
    RECT frame;
    GetWindowRect(about, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);

    Activate(about);
    Sleep(300);
    Image before = CaptureClientArea(about);
    suite::testing::CaptureWindow(about).Save("tessaly_about.png");
    EXPECT_EQ(FindRed(before).count, 0);

    TypeKeys(Keys);
    Image shown;
    // The sentence stays a second from when the keys are handled, which on
    // a busy machine may be well after they were sent.
    ASSERT_TRUE(WaitUntil([&] { return FindRed(shown = CaptureClientArea(about)).count > 50; }, 5000))
        << "the sentence did not appear";
    suite::testing::CaptureWindow(about).Save("tessaly_hidden_message.png");
    RedExtent red = FindRed(shown);
    EXPECT_NEAR(red.left, 80, 2);
    // Bold Arial is markedly wider than regular for the same sentence.
    int bold = TextWidth(FW_BOLD), regular = TextWidth(FW_NORMAL);
    ASSERT_GT(bold - regular, 6);
    EXPECT_NEAR(red.Width(), bold, 3);

    EXPECT_TRUE(WaitUntil([&] { return FindRed(CaptureClientArea(about)).count == 0; }, 2500))
        << "the sentence stayed after its second";

    ClickAt(about, 253 + 38, 214 + 12);  // OK
    EXPECT_EQ(program.Wait(5000), 0u);
}

}  // namespace
