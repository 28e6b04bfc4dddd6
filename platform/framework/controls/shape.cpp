#include "framework/controls/shape.h"

#include "framework/classes/published.h"

FRAME_DEFINE_ENUM_INFO(TShapeType, "stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle")

const TClassInfo& TShape::StaticClass() {
    static const TClassInfo info = TClassBuilder<TShape>::Creatable("TShape", TGraphicControl::StaticClass(), [](auto& c) {
        c.Property("Brush", &TShape::Brush, &TShape::SetBrush);
        c.Property("Pen", &TShape::Pen, &TShape::SetPen);
        c.Property("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
    });
    return info;
}

TShape::TShape(TComponent* owner)
    : TGraphicControl(owner), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {
    FBrush->OnChange = TNotifyEvent(this, &TShape::StyleChanged);
    FPen->OnChange = TNotifyEvent(this, &TShape::StyleChanged);
    SetBounds(FLeft, FTop, 65, 65);
}

TShape::~TShape() = default;

void TShape::SetShape(TShapeType value) {
    if (value == FShape) return;
    FShape = value;
    Invalidate();
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

// The outline lies inside the control whatever the pen's width.
void TShape::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetPen(FPen.get());
    canvas->SetBrush(FBrush.get());
    int penWidth = FPen->Width();
    int x = penWidth / 2, y = x;
    int w = Width() - penWidth + 1, h = Height() - penWidth + 1;
    if (penWidth == 0) {
        --w;
        --h;
    }
    int s = w < h ? w : h;
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    switch (FShape) {
    case stRectangle: case stSquare: canvas->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect: case stRoundSquare: canvas->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stEllipse: case stCircle: canvas->Ellipse(x, y, x + w, y + h); break;
    }
}
