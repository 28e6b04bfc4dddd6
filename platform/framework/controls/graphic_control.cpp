#include "framework/controls/graphic_control.h"

#include "framework/classes/published.h"

const TClassInfo& TGraphicControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGraphicControl>::Abstract("TGraphicControl", TControl::StaticClass());
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}
TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintOn(HDC dc) { FCanvas->PaintOn(dc, FFont.get(), [this] { Paint(); }); }

void TGraphicControl::Paint() {}

const TClassInfo& TCustomControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomControl>::Abstract("TCustomControl", TWinControl::StaticClass());
    return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}
TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) { FCanvas->PaintOn(dc, FFont.get(), [this] { Paint(); }); }

void TCustomControl::Paint() {}

void TCustomControl::Dispatch(void* message) {
    // The window's context must be given back before the window goes.
    if (static_cast<TMessage*>(message)->Msg == WM_DESTROY) FCanvas->FreeHandle();
    TWinControl::Dispatch(message);
}
