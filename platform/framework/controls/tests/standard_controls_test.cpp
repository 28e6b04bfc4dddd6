// Label, speed button and bevel, painted into memory bitmaps and checked
// pixel by pixel, and driven by the mouse messages their parent routes.
#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/bevel.h"
#include "framework/controls/label.h"
#include "framework/controls/speed_button.h"
#include "framework/forms/application.h"

namespace {

class StandardControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
    }
    template <class T>
    T* Make(int left, int top, int width, int height) {
        auto c = new T(Form.get());
        c->SetParent(Form.get());
        c->SetBounds(left, top, width, height);
        return c;
    }
    // What the control draws, on a white page of its size.
    static std::unique_ptr<TBitmap> Paint(TGraphicControl* control) {
        auto page = std::make_unique<TBitmap>();
        page->SetPixelFormat(pf24bit);
        page->SetSize(control->Width(), control->Height());
        control->PaintOn(page->Canvas()->Handle());
        return page;
    }
    static int TextWidth(TFont* font, const char* text) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font->Handle());
        SIZE s;
        GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &s);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return s.cx;
    }
    static TColor Rgb(TColor c) { return static_cast<TColor>(ColorToRGB(c)); }
    std::unique_ptr<TForm> Form;
};

TEST_F(StandardControlsTest, LabelTakesTheSizeOfItsCaptionWhenTextOrFontChanges) {
    TLabel* label = Make<TLabel>(10, 10, 65, 17);
    label->SetCaption("Hello");
    EXPECT_EQ(label->Width(), TextWidth(label->Font(), "Hello"));
    int small = label->Height();
    label->SetWidth(200);  // lasts only until the caption is written again
    label->SetCaption(label->Caption() + " there");
    EXPECT_EQ(label->Width(), TextWidth(label->Font(), "Hello there"));
    label->Font()->SetHeight(-30);
    EXPECT_GT(label->Height(), small);
    EXPECT_EQ(label->Width(), TextWidth(label->Font(), "Hello there"));
    EXPECT_FALSE(label->ParentFont()) << "a font changed by hand stops following the form's";
    label->SetCaption("");
    EXPECT_GT(label->Height(), 20) << "an empty label keeps a line's height";

    label->SetAutoSize(false);
    label->SetBounds(10, 10, 40, 8);
    label->SetCaption("A much longer caption");
    EXPECT_EQ(label->Width(), 40);
    EXPECT_EQ(label->Height(), 8);
}

TEST_F(StandardControlsTest, LabelPaintsItsCaptionInItsFontColourOnItsColour) {
    TLabel* label = Make<TLabel>(0, 0, 10, 10);
    label->Font()->SetColor(clRed);
    label->Font()->SetStyle(fsBold);
    label->SetColor(clYellow);
    label->SetCaption("WWW");
    auto page = Paint(label);
    int red = 0, yellow = 0, other = 0;
    for (int y = 0; y < label->Height(); ++y)
        for (int x = 0; x < label->Width(); ++x) {
            TColor c = page->Canvas()->Pixels(x, y);
            (c == clRed ? red : c == clYellow ? yellow : other)++;
        }
    EXPECT_GT(red, 20);
    EXPECT_GT(yellow, red);
    label->SetVisible(false);
    EXPECT_FALSE(label->Visible());
}

TEST_F(StandardControlsTest, SpeedButtonsOfAGroupStayDownOneAtATime) {
    TSpeedButton* a = Make<TSpeedButton>(0, 0, 40, 20);
    TSpeedButton* b = Make<TSpeedButton>(50, 0, 40, 20);
    TSpeedButton* loose = Make<TSpeedButton>(100, 0, 40, 20);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    int clicks = 0;
    struct Counter : TObject {
        int* n;
        void Clicked(TObject*) { ++*n; }
    } counter;
    counter.n = &clicks;
    a->OnClick = TNotifyEvent(&counter, &Counter::Clicked);

    a->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    a->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(a->Down());
    b->Click();
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    b->Click();
    EXPECT_TRUE(b->Down()) << "without AllowAllUp the down button stays down";
    b->SetAllowAllUp(true);
    b->Click();
    EXPECT_FALSE(b->Down());

    loose->Click();
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down()) << "a button of no group never stays down";

    // Released outside: no click.
    a->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    a->Perform(WM_LBUTTONUP, 0, MAKELPARAM(60, 5));
    EXPECT_EQ(clicks, 1);
    // Released over it after a press that did not start there (the window
    // came under a held button): no click either.
    SendMessageA(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
}

TEST_F(StandardControlsTest, FlatSpeedButtonShowsItsEdgeOnlyUnderThePointer) {
    TSpeedButton* button = Make<TSpeedButton>(0, 0, 60, 30);
    button->SetFlat(true);
    TColor face = Rgb(clBtnFace), light = Rgb(clBtnHighlight), shadow = Rgb(clBtnShadow);
    auto page = Paint(button);
    EXPECT_EQ(page->Canvas()->Pixels(0, 0), face);
    EXPECT_EQ(page->Canvas()->Pixels(59, 29), face);

    SendMessageA(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(button->MouseInControl());
    page = Paint(button);
    EXPECT_EQ(page->Canvas()->Pixels(0, 0), light);
    EXPECT_EQ(page->Canvas()->Pixels(59, 29), shadow);

    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    page = Paint(button);
    EXPECT_EQ(page->Canvas()->Pixels(0, 0), shadow) << "pressed looks sunken";
    button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(10, 10));

    SendMessageA(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 10));
    EXPECT_FALSE(button->MouseInControl());
    page = Paint(button);
    EXPECT_EQ(page->Canvas()->Pixels(0, 0), face);
}

TEST_F(StandardControlsTest, GlyphBackgroundLetsTheFaceShowThrough) {
    TSpeedButton* button = Make<TSpeedButton>(0, 0, 40, 40);
    TBitmap glyph;
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);  // background: bottom-left pixel
    glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(Rect(4, 4, 12, 12));
    button->SetGlyph(&glyph);
    auto page = Paint(button);
    // Centred: the glyph spans 12..27.
    EXPECT_EQ(page->Canvas()->Pixels(13, 13), Rgb(clBtnFace));
    EXPECT_EQ(page->Canvas()->Pixels(20, 20), clBlue);
}

TEST_F(StandardControlsTest, BevelDrawsItsEdgesLitFromTheTopLeft) {
    TBevel* bevel = Make<TBevel>(0, 0, 50, 3);
    TColor light = Rgb(clBtnHighlight), shadow = Rgb(clBtnShadow);
    auto page = Paint(bevel);
    EXPECT_EQ(page->Canvas()->Pixels(10, 0), shadow);
    EXPECT_EQ(page->Canvas()->Pixels(10, 2), light);
    EXPECT_EQ(page->Canvas()->Pixels(0, 1), shadow);
    EXPECT_EQ(page->Canvas()->Pixels(49, 1), light);
    bevel->SetStyle(bsRaised);
    page = Paint(bevel);
    EXPECT_EQ(page->Canvas()->Pixels(10, 0), light);
    EXPECT_EQ(page->Canvas()->Pixels(10, 2), shadow);
}

}  // namespace
