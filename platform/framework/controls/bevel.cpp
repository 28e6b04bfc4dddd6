#include "framework/controls/bevel.h"

#include "framework/classes/published.h"

FRAME_DEFINE_ENUM_INFO(TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine",
                       "bsSpacer")
FRAME_DEFINE_ENUM_INFO(TBevelStyle, "bsLowered", "bsRaised")

const TClassInfo& TBevel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBevel>::Creatable("TBevel", TGraphicControl::StaticClass(), [](auto& c) {
        c.Property("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
        c.Property("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
    });
    return info;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(FLeft, FTop, 50, 50); }

TBevel::~TBevel() = default;

void TBevel::SetShape(TBevelShape value) {
    if (value == FShape) return;
    FShape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    Invalidate();
}

namespace {

void Line(TCanvas* canvas, TColor color, int x1, int y1, int x2, int y2) {
    canvas->Pen()->SetColor(color);
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

// The top-left edges in one colour, the bottom-right in the other.
void Box(TCanvas* canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
    Line(canvas, topLeft, r.left, r.bottom - 1, r.left, r.top);
    Line(canvas, topLeft, r.left, r.top, r.right - 1, r.top);
    Line(canvas, bottomRight, r.right - 1, r.top, r.right - 1, r.bottom - 1);
    Line(canvas, bottomRight, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1);
}

}  // namespace

void TBevel::Paint() {
    TCanvas* canvas = Canvas();
    // A lowered bevel is lit from the top left: its shadow falls on the
    // top and left edges.
    TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    int w = Width(), h = Height();
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    switch (FShape) {
    case bsBox: Box(canvas, Rect(0, 0, w, h), first, second); break;
    case bsFrame:
        // Two boxes offset by a pixel make an etched groove (or ridge).
        Box(canvas, Rect(1, 1, w, h), second, second);
        Box(canvas, Rect(0, 0, w - 1, h - 1), first, first);
        break;
    case bsTopLine:
        Line(canvas, first, 0, 0, w, 0);
        Line(canvas, second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        Line(canvas, first, 0, h - 2, w, h - 2);
        Line(canvas, second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        Line(canvas, first, 0, 0, 0, h);
        Line(canvas, second, 1, 0, 1, h);
        break;
    case bsRightLine:
        Line(canvas, first, w - 2, 0, w - 2, h);
        Line(canvas, second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}
