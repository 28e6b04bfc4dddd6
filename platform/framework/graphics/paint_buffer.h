// The off-screen bitmap a window paints into before one copy reaches the
// screen. The windows of the program's thread share one instead of each
// making its own for every paint: under Wine a fresh bitmap costs its creation and a
// page fault for every 4 KB at the first stroke (0.3 to 0.8 ms for each
// control of a form as it first shows). The shared bitmap grows to the
// largest control painted and stays, up to a megabyte; a larger window (a
// whole form) and a paint inside another paint get a bitmap of their own.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/graphics/gdi_scope.h"

class TPaintBuffer {
public:
    // At least width x height, compatible with the given context; the
    // buffer's context state is saved and put back at the end.
    TPaintBuffer(HDC compatible, int width, int height);
    ~TPaintBuffer();
    TPaintBuffer(const TPaintBuffer&) = delete;
    TPaintBuffer& operator=(const TPaintBuffer&) = delete;
    HDC Handle() const { return FDC; }

    // The most pixels the shared bitmap is let grow to.
    static constexpr int SharedLimit = 256 * 1024;

private:
    bool FShared = false;
    std::unique_ptr<TMemoryDC> FOwn;  // when the shared bitmap is not to be had
    HDC FDC = nullptr;
    int FSaved = 0;
};
