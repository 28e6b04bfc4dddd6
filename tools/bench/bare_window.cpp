// The floor every program's start is measured against: what the platform
// itself costs to start a program with one window. It registers a class,
// creates one window, shows it and runs its message loop; nothing else.
// With /display it first takes the display to 800 by 600 at 8 bits
// through DirectDraw, as the surface demo does, and gives it back when
// closed.
#include <windows.h>
#include <ddraw.h>

#include <cstring>

namespace {

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The display mode, set the way the surface demo sets it (ddraw found at
// run time); the object is kept until the program ends.
IDirectDraw* TakeDisplay(HWND window) {
    HMODULE library = LoadLibraryA("ddraw.dll");
    using Create = HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*);
    auto create = library ? reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(library, "DirectDrawCreate")))
                          : nullptr;
    IDirectDraw* draw = nullptr;
    if (!create || create(nullptr, &draw, nullptr) != DD_OK) return nullptr;
    draw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    draw->SetDisplayMode(800, 600, 8);
    return draw;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const bool display = std::strstr(commandLine, "/display") != nullptr;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "BenchBareWindow";
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = display ? CreateWindowExA(WS_EX_TOPMOST, "BenchBareWindow", "Bare window", WS_POPUP, 0, 0, 800, 600,
                                            nullptr, nullptr, instance, nullptr)
                          : CreateWindowExA(0, "BenchBareWindow", "Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                            CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    IDirectDraw* draw = display ? TakeDisplay(window) : nullptr;
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (draw) {
        draw->RestoreDisplayMode();
        draw->Release();
    }
    return 0;
}
