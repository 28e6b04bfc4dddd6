#include "framework/graphics/paint_buffer.h"

#include <algorithm>

namespace {

// The shared bitmap and its context, made on first use. They belong to the
// first thread that paints (a program's windows live on one thread):
// any other thread's paints have bitmaps of their own. They go when the
// module does; a thread_local would keep the module loaded in this
// runtime.
struct TSharedBuffer {
    DWORD Owner = 0;
    HDC DC = nullptr;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ Stock = nullptr;
    int Width = 0, Height = 0;
    bool Busy = false;

    ~TSharedBuffer() {
        if (Bitmap) {
            SelectObject(DC, Stock);
            DeleteObject(Bitmap);
        }
        if (DC) DeleteDC(DC);
        Bitmap = nullptr;
        DC = nullptr;
        Owner = ~0u;  // no thread's: a late paint gets a bitmap of its own
    }
    bool Available() {
        DWORD self = GetCurrentThreadId();
        InterlockedCompareExchange(reinterpret_cast<volatile LONG*>(&Owner), static_cast<LONG>(self), 0);
        return Owner == self && !Busy;
    }
    // Grown to cover width x height; false when that would pass the limit
    // or the platform refuses.
    bool Fit(HDC compatible, int width, int height) {
        if (Bitmap && width <= Width && height <= Height) return true;
        width = std::max(width, Width);
        height = std::max(height, Height);
        if (static_cast<int64_t>(width) * height > TPaintBuffer::SharedLimit) return false;
        if (!DC && !(DC = CreateCompatibleDC(compatible))) return false;
        HBITMAP bitmap = CreateCompatibleBitmap(compatible, width, height);
        if (!bitmap) return false;
        HGDIOBJ previous = SelectObject(DC, bitmap);
        if (Bitmap)
            DeleteObject(Bitmap);
        else
            Stock = previous;
        Bitmap = bitmap;
        Width = width;
        Height = height;
        return true;
    }
};

TSharedBuffer Shared;

}  // namespace

TPaintBuffer::TPaintBuffer(HDC compatible, int width, int height) {
    if (Shared.Available() && Shared.Fit(compatible, width, height)) {
        Shared.Busy = FShared = true;
        FDC = Shared.DC;
    } else {
        FOwn = std::make_unique<TMemoryDC>(compatible, width, height);
        FDC = FOwn->Handle();
    }
    FSaved = SaveDC(FDC);
}

TPaintBuffer::~TPaintBuffer() {
    RestoreDC(FDC, FSaved);
    if (FShared) Shared.Busy = false;
}
