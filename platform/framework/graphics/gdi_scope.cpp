#include "framework/graphics/gdi_scope.h"

TBitmapDC::TBitmapDC(HBITMAP bitmap, HDC compatible)
    : FDC(CreateCompatibleDC(compatible)), FOld(bitmap ? SelectObject(FDC, bitmap) : nullptr) {}

TBitmapDC::~TBitmapDC() {
    if (FOld) SelectObject(FDC, FOld);
    DeleteDC(FDC);
}

TMemoryDC::TMemoryDC(HDC compatible, int width, int height)
    : FBitmap(CreateCompatibleBitmap(compatible, width, height)), FDC(FBitmap.Handle(), compatible) {}

HDC MeasureDC() {
    struct Holder {
        HDC dc = CreateCompatibleDC(nullptr);
        ~Holder() { DeleteDC(dc); }
    };
    thread_local Holder holder;
    return holder.dc;
}
