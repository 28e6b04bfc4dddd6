#include "testing/clipboard.h"

#include <cstring>

namespace suite::testing {

Dib MakeSolidDib(int width, int height, COLORREF colour) {
    Dib dib;
    dib.width = width;
    dib.height = height;
    uint32_t rgb = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    dib.pixels.assign(static_cast<size_t>(width) * height, rgb);
    return dib;
}

bool OpenClipboardRetrying(HWND owner) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(20);
    }
    return false;
}

namespace {

HGLOBAL PackDib(const Dib& dib) {
    size_t bytes = sizeof(BITMAPINFOHEADER) + dib.pixels.size() * 4;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!mem) return nullptr;
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(mem));
    std::memset(header, 0, sizeof *header);
    header->biSize = sizeof *header;
    header->biWidth = dib.width;
    header->biHeight = dib.height;
    header->biPlanes = 1;
    header->biBitCount = 32;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(dib.pixels.size() * 4);
    auto* bits = reinterpret_cast<uint32_t*>(header + 1);
    for (int y = 0; y < dib.height; ++y)  // bottom-up rows
        std::memcpy(bits + static_cast<size_t>(dib.height - 1 - y) * dib.width,
                    dib.pixels.data() + static_cast<size_t>(y) * dib.width, dib.width * 4);
    GlobalUnlock(mem);
    return mem;
}

// Opens, optionally empties, places one format and closes. On failure the
// handle is freed here, since the clipboard did not take it.
bool Place(UINT format, HANDLE data, bool add) {
    if (!data) return false;
    if (!OpenClipboardRetrying()) return false;
    if (!add) EmptyClipboard();
    bool placed = SetClipboardData(format, data) != nullptr;
    CloseClipboard();
    return placed;
}

}  // namespace

ClipboardScope::ClipboardScope() { Empty(); }
ClipboardScope::~ClipboardScope() { Empty(); }

bool ClipboardScope::Empty() {
    if (!OpenClipboardRetrying()) return false;
    BOOL ok = EmptyClipboard();
    CloseClipboard();
    return ok;
}

bool ClipboardScope::PutDib(const Dib& dib, bool add) {
    HGLOBAL mem = PackDib(dib);
    if (Place(CF_DIB, mem, add)) return true;
    if (mem) GlobalFree(mem);
    return false;
}

bool ClipboardScope::PutBitmap(const Dib& dib, bool add) {
    HGLOBAL packed = PackDib(dib);
    if (!packed) return false;
    auto* info = static_cast<BITMAPINFO*>(GlobalLock(packed));
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT,
                                    reinterpret_cast<BYTE*>(info) + sizeof(BITMAPINFOHEADER),
                                    info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    GlobalUnlock(packed);
    GlobalFree(packed);
    if (Place(CF_BITMAP, bitmap, add)) return true;
    if (bitmap) DeleteObject(bitmap);
    return false;
}

bool ClipboardScope::PutMetafilePicture(int widthHimetric, int heightHimetric,
                                        COLORREF colour, bool add) {
    HDC recorder = CreateMetaFileA(nullptr);
    if (!recorder) return false;
    SetWindowExtEx(recorder, 100, 100, nullptr);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, 100, 100};
    FillRect(recorder, &all, brush);
    DeleteObject(brush);
    HMETAFILE metafile = CloseMetaFile(recorder);

    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
    if (!mem) {
        DeleteMetaFile(metafile);
        return false;
    }
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(mem));
    picture->mm = MM_ANISOTROPIC;
    picture->xExt = widthHimetric;
    picture->yExt = heightHimetric;
    picture->hMF = metafile;
    GlobalUnlock(mem);
    if (Place(CF_METAFILEPICT, mem, add)) return true;
    DeleteMetaFile(metafile);
    GlobalFree(mem);
    return false;
}

bool ClipboardScope::PutUnicodeText(const std::wstring& text, bool add) {
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!mem) return false;
    std::memcpy(GlobalLock(mem), text.c_str(), bytes);
    GlobalUnlock(mem);
    if (Place(CF_UNICODETEXT, mem, add)) return true;
    GlobalFree(mem);
    return false;
}

}  // namespace suite::testing
