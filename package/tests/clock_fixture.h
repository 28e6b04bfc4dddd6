// What the clock tests share: a shown form to put clocks on, the picture a
// clock paints, and colours as captured pixels carry them.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "Clock1/Clock1.h"
#include "Clock2/Clock2.h"
#include "testing/screenshot.h"

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A clock on the form at (10, 10), in front of a red background.
    template <class C>
    C* Place(int width, int height, TShapeType shape) {
        auto clock = new C(Form.get());
        clock->SetParent(Form.get());
        clock->SetBounds(10, 10, width, height);
        clock->ClockAttributes()->SetColor(clRed);
        clock->ClockAttributes()->SetShape(shape);
        return clock;
    }
    // What the clock paints (shape and background), off screen.
    static suite::testing::Image Painted(TWinControl* clock);
    // What the clock's window shows now, after the paints waiting.
    static suite::testing::Image Shown(TWinControl* clock);
    // One tick on a clock whose paints are done, and what its window
    // shows right after it.
    static suite::testing::Image Tick(TWinControl* clock, WPARAM timer = 1);
    // Handles the messages waiting, timer ticks included.
    static void Pump();
    // Pumps until the clock's window shows pixels of colour (true), or
    // gives up after two seconds.
    static bool WaitForColour(TWinControl* clock, TColor colour);
    // A colour as a captured pixel holds it: 0x00RRGGBB.
    static uint32_t Rgb(TColor color);
    // The smallest rectangle holding every pixel of that colour (empty
    // when there is none).
    static RECT Extent(const suite::testing::Image& image, TColor colour);

    std::unique_ptr<TForm> Form;
};
