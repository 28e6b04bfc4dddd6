#include "framework/graphics/gdi_scope.h"

#include <vector>

TBitmapDC::TBitmapDC(HBITMAP bitmap, HDC compatible)
    : FDC(CreateCompatibleDC(compatible)), FOld(bitmap ? SelectObject(FDC, bitmap) : nullptr) {}

TBitmapDC::~TBitmapDC() {
    if (FOld) SelectObject(FDC, FOld);
    DeleteDC(FDC);
}

TMemoryDC::TMemoryDC(HDC compatible, int width, int height)
    : FBitmap(CreateCompatibleBitmap(compatible, width, height)), FDC(FBitmap.Handle(), compatible) {}

namespace {

// Every thread's measuring context, deleted when the module goes. The
// thread's own copy is a plain handle: a thread_local with a destructor
// would keep the module loaded in this runtime. A thread that ends leaves
// its context here until then.
class TMeasureDCs {
public:
    ~TMeasureDCs() {
        for (HDC dc : FAll) DeleteDC(dc);
    }
    HDC Add(HDC dc) {
        AcquireSRWLockExclusive(&FLock);
        FAll.push_back(dc);
        ReleaseSRWLockExclusive(&FLock);
        return dc;
    }

private:
    SRWLOCK FLock = SRWLOCK_INIT;
    std::vector<HDC> FAll;
};

TMeasureDCs MeasureDCs;

}  // namespace

HDC MeasureDC() {
    thread_local HDC dc = nullptr;
    if (!dc) dc = MeasureDCs.Add(CreateCompatibleDC(nullptr));
    return dc;
}
