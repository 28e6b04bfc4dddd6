#include "model/form_clipboard.h"

#include <windows.h>

#include <cstring>

namespace {

// Setting clipboard data needs an owner window: a message-only one of our
// own, made once and kept for the life of the program.
HWND ClipboardOwner() {
    static HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    return owner;
}

// Another program may hold the clipboard for a moment.
bool OpenRetrying(HWND owner) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

void PutFormTextOnClipboard(const AnsiString& text) {
    std::wstring wide = ToWide(text);
    size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (!OpenRetrying(ClipboardOwner())) throw EInvalidOperation("The clipboard is in use");
    bool placed = false;
    if (EmptyClipboard()) {
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
            GlobalUnlock(memory);
            placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            if (!placed) GlobalFree(memory);  // the clipboard took it only on success
        }
    }
    CloseClipboard();
    if (!placed) throw EInvalidOperation("The components could not be put on the clipboard");
}

AnsiString GetTextFromClipboard() {
    if (!OpenRetrying(ClipboardOwner())) throw EInvalidOperation("The clipboard is in use");
    AnsiString text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = FromWide(std::wstring_view(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t))));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}
