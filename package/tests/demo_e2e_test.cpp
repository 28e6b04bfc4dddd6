// The demo program end to end: it loads the package, shows every component
// at work, and ends cleanly when its window is closed.
#include <gtest/gtest.h>

#include "testing/child_process.h"
#include "testing/real_input.h"
#include "testing/screenshot.h"

namespace {

TEST(CorvaneDemo, ShowsEveryComponentRunningAndEndsWhenClosed) {
    suite::testing::ChildProcess demo("CorvaneDemo.exe");
    ASSERT_TRUE(demo.Started());
    HWND window = demo.WaitForWindow("TDemoForm", "Corvane Components", 15000);
    ASSERT_NE(window, nullptr);
    suite::testing::Activate(window);
    RECT client;
    GetClientRect(window, &client);
    // The colour clock's yellow face, and every clock's time written in
    // its middle once its timer has ticked: navy on the first, black on
    // the others.
    RECT yellowClock{160, 52, 290, 182};
    struct Time {
        RECT middle;
        uint32_t ink;
    };
    const Time times[] = {{{41, 105, 121, 130}, 0x00000080},
                          {{185, 105, 265, 130}, 0},
                          {{359, 105, 459, 130}, 0},
                          {{555, 105, 635, 130}, 0}};
    suite::testing::Image shot;
    int ticking = 0;
    bool shown = suite::testing::WaitUntil(
        [&] {
            shot = suite::testing::CaptureClientArea(window);
            ticking = 0;
            for (const Time& t : times) ticking += shot.Count(t.ink, t.middle) > 10;
            return shot.Count(0x00FFFF00, yellowClock) > 3000 && ticking == 4;
        },
        5000);
    shot.Save("corvane_demo.png");
    EXPECT_TRUE(shown) << ticking << " of 4 clocks show the time in corvane_demo.png";
    RECT edits{16, 216, 330, 240};
    EXPECT_GT(shot.Count(0x000000FF, edits), 500) << "the blue preset edits";
    RECT palette{0, 0, client.right, 38};
    EXPECT_GT(shot.Count(0x00000080, palette), 30) << "the navy palette pictures";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(demo.Wait(10000), 0u);
}

}  // namespace
