// TBevel: a lowered or raised box, frame or line drawn in the system's
// 3-D colours, used to group and separate the parts of a dialog.
#pragma once
#include "framework/controls/graphic_control.h"

enum TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
FRAME_TYPE_INFO(TBevelShape);
enum TBevelStyle : uint8_t { bsLowered, bsRaised };
FRAME_TYPE_INFO(TBevelStyle);

class TBevel : public TGraphicControl {
    FRAME_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* owner);
    ~TBevel() override;

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
