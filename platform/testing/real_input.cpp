#include "testing/real_input.h"

namespace suite::testing {

void Activate(HWND window) {
    // On a busy machine the other program takes a moment to come forward.
    DWORD until = GetTickCount() + 3000;
    do {
        SetForegroundWindow(window);
        Sleep(50);
    } while (GetForegroundWindow() != window && GetTickCount() < until);
    Sleep(50);
}

void MovePointer(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    SendInput(1, &in, sizeof(INPUT));
}

void LeftButton(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof(INPUT));
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
    // A move first, so the target sees the pointer arrive before the press.
    MovePointer(p);
    Sleep(50);
    LeftButton(true);
    LeftButton(false);
    Sleep(50);
}

void PressKey(WORD virtualKey, bool shift) {
    INPUT in[4] = {};
    int n = 0;
    auto key = [&](WORD vk, bool up) {
        in[n].type = INPUT_KEYBOARD;
        in[n].ki.wVk = vk;
        in[n].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ++n;
    };
    if (shift) key(VK_SHIFT, false);
    key(virtualKey, false);
    key(virtualKey, true);
    if (shift) key(VK_SHIFT, true);
    SendInput(static_cast<UINT>(n), in, sizeof(INPUT));
}

void TypeKeys(const std::string& text) {
    for (char c : text) {
        SHORT vk = VkKeyScanA(c);
        PressKey(LOBYTE(vk), (HIBYTE(vk) & 1) != 0);
        Sleep(20);
    }
}

void DragWithMouse(HWND from, POINT start, HWND to, POINT end, const std::function<void()>& pump, bool release) {
    ClientToScreen(from, &start);
    ClientToScreen(to, &end);
    MovePointer(start);
    pump();
    LeftButton(true);
    pump();
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        MovePointer(POINT{start.x + (end.x - start.x) * i / steps, start.y + (end.y - start.y) * i / steps});
        pump();
    }
    if (!release) return;
    LeftButton(false);
    pump();
}

}  // namespace suite::testing
