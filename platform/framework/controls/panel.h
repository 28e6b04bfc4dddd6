// TPanel: a box that groups controls, with raised or lowered bevels and
// a caption drawn in the middle (or at the side Alignment says). Aligned
// children fill the area inside the bevels.
#pragma once
#include "framework/controls/graphic_control.h"

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
FRAME_TYPE_INFO(TAlignment);
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
FRAME_TYPE_INFO(TBevelCut);

class TPanel : public TCustomControl {
    FRAME_CLASS(TPanel, TCustomControl)
public:
    explicit TPanel(TComponent* owner);
    ~TPanel() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    // Pixels between the outer and the inner bevel.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) const override;
    void TextChanged() override;

private:
    void Changed();
    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
};
