// Device contexts and GDI objects that put back what they changed when
// they go out of scope: every paint path uses these instead of pairing
// SelectObject, SaveDC or GetDC calls by hand.
#pragma once
#include <windows.h>

// Selects an object into a context; the previous one returns at the end.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
    ~TSelectObject() { SelectObject(FDC, FOld); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// The whole state of a context (origin, clipping, tools, colours).
class TSaveDC {
public:
    explicit TSaveDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
    ~TSaveDC() { RestoreDC(FDC, FSaved); }
    TSaveDC(const TSaveDC&) = delete;
    TSaveDC& operator=(const TSaveDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

// A memory context of the screen kept for measuring text on this thread:
// the screen's own context costs a round trip to the display each time it
// is taken. Whatever is selected into it must be put back (TSelectObject).
HDC MeasureDC();

// A GDI object this scope made and deletes.
template <class H>
class TGdiObject {
public:
    explicit TGdiObject(H handle) : FHandle(handle) {}
    ~TGdiObject() { if (FHandle) DeleteObject(FHandle); }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    H Handle() const { return FHandle; }

private:
    H FHandle;
};

// A memory context with a bitmap selected on it (compatible with the
// given context, or the screen), for the length of the scope; without a
// bitmap, one with its stock bitmap.
class TBitmapDC {
public:
    explicit TBitmapDC(HBITMAP bitmap, HDC compatible = nullptr);
    ~TBitmapDC();
    TBitmapDC(const TBitmapDC&) = delete;
    TBitmapDC& operator=(const TBitmapDC&) = delete;
    HDC Handle() const { return FDC; }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// An off-screen bitmap compatible with a context, with its own memory
// context selected on it: painting goes here and reaches the screen in
// one copy.
class TMemoryDC {
public:
    TMemoryDC(HDC compatible, int width, int height);
    HDC Handle() const { return FDC.Handle(); }

private:
    TGdiObject<HBITMAP> FBitmap;
    TBitmapDC FDC;
};
