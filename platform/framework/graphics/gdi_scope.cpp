#include "framework/graphics/gdi_scope.h"

TMemoryDC::TMemoryDC(HDC compatible, int width, int height)
    : FDC(CreateCompatibleDC(compatible)), FBitmap(CreateCompatibleBitmap(compatible, width, height)),
      FOld(SelectObject(FDC, FBitmap)) {}

TMemoryDC::~TMemoryDC() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
}
