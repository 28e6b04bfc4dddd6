// Controls that draw themselves with Paint on Canvas: TGraphicControl
// has no window and paints inside its parent's; TCustomControl paints its
// own window. Both canvases can also be drawn on outside Paint.
#pragma once
#include "framework/controls/control_canvas.h"
#include "framework/controls/win_control.h"

class TGraphicControl : public TControl {
    FRAME_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TControlCanvas* Canvas() { return FCanvas.get(); }
    // The parent calls this with its paint context already moved and
    // clipped to the control.
    void PaintOn(HDC dc);

protected:
    virtual void Paint();

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
    FRAME_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TControlCanvas* Canvas() { return FCanvas.get(); }
    void Dispatch(void* message) override;

protected:
    virtual void Paint();
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
