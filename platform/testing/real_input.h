// Real keyboard and mouse input for end-to-end tests: the events go
// through the platform's input queue to whatever window is under the
// pointer or has the focus, as if a person used the machine. A test that
// drives its own windows pumps its messages between the steps (pump).
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace suite::testing {

// Brings window to the front so that it receives the keys.
void Activate(HWND window);
// Moves the pointer to a point of the window's client area and clicks.
void ClickAt(HWND window, int x, int y);
// Presses and releases the key of each character (letters, digits, space).
void TypeKeys(const std::string& text);
// Presses and releases one key, with Shift held when shift is true.
void PressKey(WORD virtualKey, bool shift = false);

// A press of the left button at a client point of from, moves in steps
// to a client point of to (the same window or another), and the release
// there; between the steps pump runs (the test's message loop).
void DragWithMouse(HWND from, POINT start, HWND to, POINT end, const std::function<void()>& pump,
                   bool release = true);
// Moves the pointer to a screen point, as a person moves the mouse.
void MovePointer(POINT screen);
// Presses (down true) or releases the left button where the pointer is.
void LeftButton(bool down);

// Waits until predicate holds, or the time runs out; returns the predicate.
template <class Predicate>
bool WaitUntil(Predicate predicate, DWORD timeoutMs) {
    DWORD until = GetTickCount() + timeoutMs;
    while (!predicate()) {
        if (GetTickCount() > until) return false;
        Sleep(20);
    }
    return true;
}

}  // namespace suite::testing
