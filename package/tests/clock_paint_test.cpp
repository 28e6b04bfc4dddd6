// The clocks' shapes, pixel by pixel: black outline (the canvas's pen),
// white inside (its brush, or the face colour), red background.
#include <functional>
#include <initializer_list>

#include "clock_fixture.h"

namespace {

struct Pixel {
    int x, y;
    TColor colour;
};

class ClockPaint : public ClockTest {
protected:
    void ExpectPixels(const suite::testing::Image& image, std::initializer_list<Pixel> pixels) {
        for (const Pixel& p : pixels)
            EXPECT_EQ(image.At(p.x, p.y), Rgb(p.colour)) << "at " << p.x << ", " << p.y;
    }
    template <class C>
    void ExpectEveryShape() {
        SCOPED_TRACE(C::StaticClass().Name());
        {
            SCOPED_TRACE("ellipse touching all four edges");
            ExpectPixels(Painted(Place<C>(100, 100, stEllipse)),
                         {{50, 0, clBlack}, {0, 50, clBlack}, {99, 50, clBlack}, {50, 99, clBlack}, {50, 50, clWhite},
                          {3, 3, clRed}, {96, 96, clRed}});
        }
        {
            SCOPED_TRACE("rectangle and square of a square clock");
            ExpectPixels(Painted(Place<C>(100, 100, stRectangle)), {{0, 0, clBlack}, {99, 99, clBlack}, {50, 50, clWhite}});
            ExpectPixels(Painted(Place<C>(100, 100, stSquare)), {{0, 0, clBlack}, {99, 99, clBlack}, {50, 50, clWhite}});
        }
        {
            SCOPED_TRACE("square centred across a wide clock");
            ExpectPixels(Painted(Place<C>(150, 100, stSquare)),
                         {{24, 50, clRed}, {25, 50, clBlack}, {75, 50, clWhite}, {124, 50, clBlack}, {125, 50, clRed},
                          {75, 0, clBlack}, {75, 99, clBlack}});
        }
        {
            SCOPED_TRACE("square at the top of a tall clock");
            ExpectPixels(Painted(Place<C>(100, 150, stSquare)),
                         {{0, 0, clBlack}, {50, 99, clBlack}, {50, 100, clRed}, {50, 140, clRed}, {50, 50, clWhite}});
        }
        {
            SCOPED_TRACE("circle in the square");
            ExpectPixels(Painted(Place<C>(150, 100, stCircle)),
                         {{75, 0, clBlack}, {25, 50, clBlack}, {124, 50, clBlack}, {75, 99, clBlack}, {28, 4, clRed},
                          {75, 50, clWhite}, {10, 50, clRed}});
        }
        {
            SCOPED_TRACE("round rectangle 100 wide: square corners");
            ExpectPixels(Painted(Place<C>(100, 60, stRoundRect)), {{0, 0, clBlack}, {99, 59, clBlack}, {50, 30, clWhite}});
        }
        {
            SCOPED_TRACE("round rectangle 300 wide: corners 200 wide and the full height");
            ExpectPixels(Painted(Place<C>(300, 100, stRoundRect)),
                         {{0, 0, clRed}, {4, 4, clRed}, {295, 95, clRed}, {150, 0, clBlack}, {0, 50, clBlack},
                          {299, 50, clBlack}, {150, 50, clWhite}, {20, 8, clRed}});
        }
        {
            SCOPED_TRACE("round square: the background alone");
            TWinControl* clock = Place<C>(100, 100, stRoundSquare);
            EXPECT_EQ(Painted(clock).Count(Rgb(clRed), RECT{0, 0, 100, 100}), 100 * 100);
        }
    }
};

TEST_F(ClockPaint, EveryShapeOfBothGenerations) {
    ExpectEveryShape<TMyClock>();
    ExpectEveryShape<TMyClock2>();
}

TEST_F(ClockPaint, ColourClocksFillTheShapeWithTheFaceColour) {
    TColorClock* one = Place<TColorClock>(100, 100, stEllipse);
    TColorClock2* two = Place<TColorClock2>(100, 100, stCircle);
    EXPECT_EQ(one->FaceColor(), clGreen);
    EXPECT_EQ(two->FaceColor(), clGreen);
    EXPECT_EQ(Painted(one).At(50, 50), Rgb(clGreen));
    EXPECT_EQ(Painted(two).At(50, 50), Rgb(clGreen));
    one->SetColor(clYellow);
    two->SetColor(clBlue);
    EXPECT_EQ(Painted(one).At(50, 50), Rgb(clYellow));
    EXPECT_EQ(Painted(two).At(50, 50), Rgb(clBlue));
    EXPECT_EQ(one->Color(), clRed) << "the control's own colour is the background's";
}

TEST_F(ClockPaint, NewClocksAreEllipsesOnTheButtonFace) {
    TMyClock one(nullptr);
    TMyClock2 two(nullptr);
    EXPECT_EQ(one.Width(), 100);
    EXPECT_EQ(one.Height(), 100);
    EXPECT_EQ(one.ClockAttributes()->Color(), clBtnFace);
    EXPECT_EQ(one.ClockAttributes()->Shape(), stEllipse);
    EXPECT_EQ(one.ClockAttributes()->Clock(), &one);
    EXPECT_EQ(two.ClockAttributes()->Color(), clBtnFace);
    EXPECT_EQ(two.ClockAttributes()->Shape(), stEllipse);
    EXPECT_EQ(two.ClockAttributes()->Clock(), &two);
    EXPECT_FALSE(one.Running());
    EXPECT_EQ(one.TimerID(), 1);
    EXPECT_EQ(one.TextColor(), clBlack);
}

TEST_F(ClockPaint, EverySetterRepaintsTheWholeClock) {
    TColorClock* clock = Place<TColorClock>(100, 100, stEllipse);
    TColorClock2* clock2 = Place<TColorClock2>(100, 100, stEllipse);
    HWND window = clock->Handle();
    auto repaints = [&](HWND w, const std::function<void()>& change) {
        Pump();
        ValidateRect(w, nullptr);
        change();
        RECT area{};
        return GetUpdateRect(w, &area, FALSE) && area.right == 100 && area.bottom == 100;
    };
    EXPECT_TRUE(repaints(window, [&] { clock->ClockAttributes()->SetColor(clBlue); }));
    EXPECT_TRUE(repaints(window, [&] { clock->ClockAttributes()->SetShape(stCircle); }));
    EXPECT_TRUE(repaints(window, [&] { clock->SetTextColor(clNavy); }));
    EXPECT_TRUE(repaints(window, [&] { clock->SetColor(clAqua); }));
    EXPECT_TRUE(repaints(clock2->Handle(), [&] { clock2->ClockAttributes()->SetShape(stSquare); }));
    EXPECT_TRUE(repaints(clock2->Handle(), [&] { clock2->SetColor(clAqua); }));
}

TEST_F(ClockPaint, AttributesOfNoClockOnlyStore) {
    TClockAttributes loose;
    loose.SetColor(clLime);
    loose.SetShape(stCircle);
    EXPECT_EQ(loose.Clock(), nullptr);
    EXPECT_EQ(loose.Color(), clLime);
    TComponent notAClock(nullptr);
    TClockAttribute2 other(&notAClock);
    other.SetShape(stSquare);
    EXPECT_EQ(other.Clock(), nullptr);
    EXPECT_EQ(other.Shape(), stSquare);
}

TEST_F(ClockPaint, AssigningAttributesCopiesTheirValues) {
    TMyClock* clock = Place<TMyClock>(100, 100, stEllipse);
    TClockAttributes* own = clock->ClockAttributes();
    TClockAttributes given;
    given.SetColor(clYellow);
    given.SetShape(stCircle);
    SetPropValue(clock, "ClockAttributes", TPropValue(static_cast<TObject*>(&given)));
    EXPECT_EQ(clock->ClockAttributes(), own) << "the clock keeps (and later frees) its own object";
    EXPECT_EQ(own->Color(), clYellow);
    EXPECT_EQ(own->Shape(), stCircle);
    EXPECT_EQ(Painted(clock).At(3, 3), Rgb(clYellow));
}

}  // namespace
