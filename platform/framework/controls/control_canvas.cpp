#include "framework/controls/control_canvas.h"

#include "framework/controls/win_control.h"

TControlCanvas::TControlCanvas(TControl* control) : FControl(control) {}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::Attach(HDC dc) {
    FreeHandle();
    SetHandle(dc);
}

void TControlCanvas::Detach() { SetHandle(nullptr); }

void TControlCanvas::PaintOn(HDC dc, const TFont* font, const std::function<void()>& paint) {
    Font()->Assign(font);
    Attach(dc);
    try {
        paint();
    } catch (...) {
        Detach();
        throw;
    }
    Detach();
}

void TControlCanvas::CreateHandle() {
    HWND window = nullptr;
    bool own = false;
    if (auto win = ObjectAs<TWinControl>(FControl)) {
        window = win->Handle();
        own = true;
    } else if (FControl->Parent()) {
        window = FControl->Parent()->Handle();
    }
    if (!window) return;
    HDC dc = GetDC(window);
    if (!dc) return;
    if (!own) {
        SetViewportOrgEx(dc, FControl->Left(), FControl->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, FControl->Width(), FControl->Height());
    }
    FWindow = window;
    FOwnDC = dc;
    SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
    if (!FOwnDC) return;
    SetHandle(nullptr);
    ReleaseDC(FWindow, FOwnDC);
    FOwnDC = nullptr;
    FWindow = nullptr;
}
