#include "testing/memory_canvas.h"

namespace suite::testing {

MemoryCanvas::MemoryCanvas(int w, int h) : width(w), height(h) {
    // Compatible with the screen, so drawing behaves as it does in a window.
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc, bitmap_);
    RECT all{0, 0, w, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

MemoryCanvas::~MemoryCanvas() {
    // The bitmap cannot be deleted while a device context still holds it.
    SelectObject(dc, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc);
}

Image MemoryCanvas::Read() const { return CaptureDC(dc, width, height); }

}  // namespace suite::testing
