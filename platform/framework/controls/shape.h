// TShape: a rectangle, square, rounded box, ellipse or circle drawn with
// its Pen and filled with its Brush. The square and circle kinds take
// the smaller side and sit in the middle.
#pragma once
#include <memory>

#include "framework/controls/graphic_control.h"

enum TShapeType : uint8_t { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
FRAME_TYPE_INFO(TShapeType);

class TShape : public TGraphicControl {
    FRAME_CLASS(TShape, TGraphicControl)
public:
    explicit TShape(TComponent* owner);
    ~TShape() override;

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType value);
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* value) { FBrush->Assign(value); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* value) { FPen->Assign(value); }

protected:
    void Paint() override;

private:
    void StyleChanged(TObject* sender);
    TShapeType FShape = stRectangle;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
};
