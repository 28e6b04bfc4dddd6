// TSpeedButton: a button without a window of its own, drawn in its
// parent's window with an optional glyph left of its caption. A flat
// button shows its edge only while the pointer is over it or it is
// pressed. Buttons with the same non-zero GroupIndex on one parent act
// as a group: a click puts the button down and the others of its group
// up; with AllowAllUp a click on the down button lets it up again.
#pragma once
#include <memory>

#include "framework/controls/graphic_control.h"
#include "framework/graphics/bitmap.h"

class TSpeedButton : public TGraphicControl {
    FRAME_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    // Pixels between the glyph and the caption.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);

    // True while the pointer is over a flat button (its edge shows).
    bool MouseInControl() const { return FMouseInControl; }

    void Click() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void Paint() override;

private:
    void GlyphChanged(TObject* sender);
    void SetMouseInControl(bool value);
    void ReleaseGroup();

    std::unique_ptr<TBitmap> FGlyph;
    bool FFlat = false;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    int FSpacing = 4;
    bool FPressed = false;         // left button held after a press on it
    bool FMouseInControl = false;
};
