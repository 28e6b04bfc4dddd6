// Stands in for a program until it is built: one window with its name.
#include <windows.h>

#ifndef PLACEHOLDER_NAME
#define PLACEHOLDER_NAME "placeholder"
#endif

static LRESULT CALLBACK PlaceholderProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PlaceholderProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "Placeholder";
    RegisterClassA(&wc);
    HWND w = CreateWindowA("Placeholder", PLACEHOLDER_NAME, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
    ShowWindow(w, show);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
