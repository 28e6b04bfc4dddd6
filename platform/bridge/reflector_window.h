// A plain framework window around a control that wants its notifications
// reflected by a window of the framework (control style csReflector) when
// it is embedded in a container, which reflects nothing: the control fills
// it, and the framework hands the control's notifications back to it.
#pragma once
#include "framework/framework.h"

class TReflectorWindow : public TWinControl {
    FRAME_CLASS(TReflectorWindow, TWinControl)
public:
    explicit TReflectorWindow(TComponent* owner);
    // Parked in parentWindow, around control, at the control's size.
    TReflectorWindow(HWND parentWindow, TWinControl* control);
    ~TReflectorWindow() override;

    // The control follows the reflector's size.
    void SetBounds(int left, int top, int width, int height) override;

private:
    TWinControl* FControl = nullptr;
};
