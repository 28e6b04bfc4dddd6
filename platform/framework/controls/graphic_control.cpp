#include "framework/controls/graphic_control.h"

#include "framework/classes/published.h"

const TClassInfo& TGraphicControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGraphicControl>::Abstract("TGraphicControl", TControl::StaticClass());
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(std::make_unique<TCanvas>()) {}
TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintOn(HDC dc) {
    FCanvas->Font()->Assign(FFont.get());
    FCanvas->SetHandle(dc);
    try {
        Paint();
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    FCanvas->SetHandle(nullptr);
}

void TGraphicControl::Paint() {}

const TClassInfo& TCustomControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomControl>::Abstract("TCustomControl", TWinControl::StaticClass());
    return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), FCanvas(std::make_unique<TCanvas>()) {}
TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
    FCanvas->Font()->Assign(FFont.get());
    FCanvas->SetHandle(dc);
    try {
        Paint();
    } catch (...) {
        FCanvas->SetHandle(nullptr);
        throw;
    }
    FCanvas->SetHandle(nullptr);
}

void TCustomControl::Paint() {}
