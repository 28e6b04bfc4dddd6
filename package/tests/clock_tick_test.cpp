// The clocks' ticks: the time in the middle of the clock every 50 ms while
// running, gone after a repaint until the next tick, in TextColor (first
// clock) or the font's own colour (second clock).
#include "clock_fixture.h"
#include "Clock1/ClockFace.h"

namespace {

using ClockTick = ClockTest;

TEST_F(ClockTick, TheTimeShowsOnlyWhileRunningAndAgainAfterEachRepaint) {
    TMyClock* clock = Place<TMyClock>(160, 100, stRoundSquare);
    clock->SetTextColor(clBlue);
    EXPECT_FALSE(WaitForColour(clock, clWhite)) << "a stopped clock shows no time";

    clock->SetRunning(true);
    EXPECT_TRUE(clock->Running());
    ASSERT_TRUE(WaitForColour(clock, clBlue));
    EXPECT_EQ(clock->Font()->Color(), clBlue) << "the tick set the clock's own font";
    // The time sits on the brush's white, centred on the clock.
    suite::testing::Image shot = suite::testing::CaptureClientArea(clock->Handle());
    RECT box = Extent(shot, clWhite);
    EXPECT_EQ(box.left, 160 / 2 - (box.right - box.left) / 2);
    EXPECT_EQ(box.top, 100 / 2 - (box.bottom - box.top) / 2);
    EXPECT_EQ(box.bottom - box.top, clock->Canvas()->TextHeight(TimeToStr(Time())));
    RECT blue = Extent(shot, clBlue);
    EXPECT_TRUE(blue.left >= box.left && blue.right <= box.right && blue.top >= box.top && blue.bottom <= box.bottom);

    clock->Invalidate();
    EXPECT_EQ(Shown(clock).Count(Rgb(clBlue), RECT{0, 0, 160, 100}), 0) << "a repaint shows the shape alone";
    EXPECT_TRUE(WaitForColour(clock, clBlue)) << "until the next tick";

    clock->SetRunning(false);
    EXPECT_FALSE(clock->Running());
    Pump();
    clock->Invalidate();
    Shown(clock);
    EXPECT_FALSE(WaitForColour(clock, clBlue)) << "a stopped clock ticks no more";
}

TEST_F(ClockTick, ANewTextColourShowsFromTheNextTickOn) {
    TMyClock* clock = Place<TMyClock>(160, 100, stRoundSquare);
    RECT all{0, 0, 160, 100};
    clock->SetTextColor(clBlue);
    EXPECT_GT(Tick(clock).Count(Rgb(clBlue), all), 0);
    clock->SetTextColor(clFuchsia);
    EXPECT_EQ(Shown(clock).Count(Rgb(clBlue), all), 0) << "the text vanished with the repaint";
    EXPECT_EQ(clock->Font()->Color(), clBlue) << "the font changes at the tick";
    EXPECT_GT(Tick(clock, 77).Count(Rgb(clFuchsia), all), 0) << "whatever the timer";
    EXPECT_EQ(clock->Font()->Color(), clFuchsia);
}

TEST_F(ClockTick, TheSecondClockWritesInItsFontsColour) {
    TMyClock2* clock = Place<TMyClock2>(160, 100, stRoundSquare);
    clock->Font()->SetColor(clBlue);
    clock->SetRunning(true);
    ASSERT_TRUE(WaitForColour(clock, clBlue));
    RECT box = Extent(suite::testing::CaptureClientArea(clock->Handle()), clWhite);
    EXPECT_EQ(box.left, 160 / 2 - (box.right - box.left) / 2);
    clock->SetRunning(false);
}

TEST_F(ClockTick, AColourClockWritesTheTimeOnItsFace) {
    TColorClock* clock = Place<TColorClock>(160, 100, stRoundSquare);
    clock->SetTextColor(clBlue);
    Tick(clock);  // the font takes the text colour
    suite::testing::Image shot = Tick(clock);  // after a paint that put the face colour into the brush
    EXPECT_GT(shot.Count(Rgb(clGreen), RECT{0, 0, 160, 100}), 0);
    EXPECT_EQ(shot.Count(Rgb(clWhite), RECT{0, 0, 160, 100}), 0);
}

TEST_F(ClockTick, ATimeWiderThanTheClockStartsLeftOfItAndIsClipped) {
    TMyClock* clock = Place<TMyClock>(30, 60, stRoundSquare);
    clock->Font()->SetHeight(-20);
    int width = clock->Canvas()->TextWidth(TimeToStr(Time()));
    ASSERT_GT(width, 40) << "the text must be wider than the clock";
    Tick(clock);
    suite::testing::Image shot = Tick(clock);
    RECT box = Extent(shot, clWhite);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 30);
}

TEST_F(ClockTick, DestroyingTheWindowStopsTheTimerAndForgetsItsIdentifier) {
    TMyClock* clock = Place<TMyClock>(100, 100, stEllipse);
    clock->SetRunning(true);
    HWND window = clock->Handle();
    EXPECT_TRUE(KillTimer(window, 1)) << "the timer ran under identifier 1";
    clock->SetRunning(true);
    DestroyWindow(window);
    EXPECT_EQ(clock->TimerID(), 0);
    EXPECT_TRUE(clock->Running()) << "the flag keeps its value";
}

}  // namespace
