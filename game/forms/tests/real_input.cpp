#include "real_input.h"

namespace shell_testing {

void Activate(HWND window) {
    // On a busy machine the other program takes a moment to come forward.
    DWORD until = GetTickCount() + 3000;
    do {
        SetForegroundWindow(window);
        Sleep(50);
    } while (GetForegroundWindow() != window && GetTickCount() < until);
    Sleep(50);
}

void ClickAt(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    // A click lands on whatever is in front: wait until that is window.
    DWORD until = GetTickCount() + 3000;
    while (WindowFromPoint(p) != window && GetTickCount() < until) {
        SetForegroundWindow(window);
        Sleep(50);
    }
    SetCursorPos(p.x, p.y);
    INPUT in[3] = {};
    // A move first, so the target sees the pointer arrive before the press.
    in[0].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[0].mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in[0].mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[2].type = INPUT_MOUSE;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in[0], sizeof(INPUT));
    Sleep(50);
    SendInput(2, &in[1], sizeof(INPUT));
    Sleep(50);
}

void TypeKeys(const std::string& text) {
    for (char c : text) {
        SHORT vk = VkKeyScanA(c);
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = LOBYTE(vk);
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        Sleep(20);
    }
}

}  // namespace shell_testing
