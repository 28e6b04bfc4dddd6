#include "clock_fixture.h"

#include "testing/memory_canvas.h"
#include "testing/real_input.h"

void ClockTest::SetUp() {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(40, 40, 480, 320);
    Form->Show();
    Pump();
}

void ClockTest::TearDown() { Form.reset(); }

suite::testing::Image ClockTest::Painted(TWinControl* clock) {
    suite::testing::MemoryCanvas canvas(clock->Width(), clock->Height());
    clock->PaintTo(canvas.dc, 0, 0);  // the first paint takes the background colour
    clock->PaintTo(canvas.dc, 0, 0);
    return canvas.Read();
}

suite::testing::Image ClockTest::Shown(TWinControl* clock) {
    UpdateWindow(clock->Handle());
    return suite::testing::CaptureClientArea(clock->Handle());
}

suite::testing::Image ClockTest::Tick(TWinControl* clock, WPARAM timer) {
    Shown(clock);
    clock->Perform(WM_TIMER, timer, 0);
    return suite::testing::CaptureClientArea(clock->Handle());
}

void ClockTest::Pump() { Application->ProcessMessages(); }

bool ClockTest::WaitForColour(TWinControl* clock, TColor colour) {
    RECT all{0, 0, clock->Width(), clock->Height()};
    return suite::testing::WaitUntil(
        [&] {
            Pump();
            return suite::testing::CaptureClientArea(clock->Handle()).Count(Rgb(colour), all) > 0;
        },
        2000);
}

uint32_t ClockTest::Rgb(TColor color) {
    uint32_t c = ColorToRGB(color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

RECT ClockTest::Extent(const suite::testing::Image& image, TColor colour) {
    RECT r{image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.At(x, y) == Rgb(colour)) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}
