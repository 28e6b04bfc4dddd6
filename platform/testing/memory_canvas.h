// A white off-screen bitmap with its own device context, for drawing calls
// that take an HDC (a view's Draw, an image list) and reading back what they
// painted.
//
//   suite::testing::MemoryCanvas canvas(100, 100);
//   ImageList_Draw(list, 0, canvas.dc, 0, 0, ILD_NORMAL);
//   EXPECT_EQ(canvas.Read().At(0, 0), 0xFFFFFFu);   // 0x00RRGGBB
#pragma once
#include <windows.h>

#include "testing/screenshot.h"

namespace suite::testing {

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    Image Read() const;

    const int width;
    const int height;
    HDC dc = nullptr;

private:
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace suite::testing
