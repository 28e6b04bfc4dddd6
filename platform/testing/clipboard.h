// Puts test data on the real clipboard and takes it off again.
//
//   suite::testing::ClipboardScope clip;            // empties now and at the end
//   clip.PutDib(MakeSolidDib(16, 8, RGB(255, 0, 0)));
//   clip.PutUnicodeText(L"hello");
//
// Each Put* opens the clipboard, empties it unless told to add, places the
// data and closes it again, so the code under test can open it at once.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace suite::testing {

// A packed device-independent bitmap: BITMAPINFOHEADER, then 32-bit
// bottom-up pixels (0x00RRGGBB).
struct Dib {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // top row first, for readability in tests
};
Dib MakeSolidDib(int width, int height, COLORREF colour);

class ClipboardScope {
public:
    ClipboardScope();   // empties the clipboard
    ~ClipboardScope();  // empties it again
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;

    // When add is true the clipboard keeps what it already holds.
    bool PutDib(const Dib& dib, bool add = false);
    bool PutBitmap(const Dib& dib, bool add = false);  // as CF_BITMAP (a DDB)
    // A CF_METAFILEPICT whose metafile fills a rectangle with the colour.
    bool PutMetafilePicture(int widthHimetric, int heightHimetric, COLORREF colour,
                            bool add = false);
    bool PutUnicodeText(const std::wstring& text, bool add = false);
    static bool Empty();
};

// Opens the clipboard, retrying briefly while another window holds it.
bool OpenClipboardRetrying(HWND owner = nullptr);

}  // namespace suite::testing
