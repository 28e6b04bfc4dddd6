// The canvas of a control. While the control paints it draws on the
// paint context it is given; at any other time it takes the window's
// context when first used (a graphic control's parent window, moved and
// clipped to the control) and gives it back at the next paint or when the
// control goes.
#pragma once
#include <functional>

#include "framework/graphics/canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control);
    ~TControlCanvas() override;
    // Draw on dc (a paint context) until Detach.
    void Attach(HDC dc);
    void Detach();
    // Runs paint with the canvas on dc in the control's font, and detaches
    // again even when paint throws.
    void PaintOn(HDC dc, const TFont* font, const std::function<void()>& paint);
    // Gives back a context the canvas took for itself.
    void FreeHandle() override;

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    HWND FWindow = nullptr;
    HDC FOwnDC = nullptr;
};
