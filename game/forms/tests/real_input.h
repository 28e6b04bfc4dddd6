// Real keyboard and mouse input for end-to-end tests: the events go
// through the platform's input queue to whatever window is under the
// pointer or has the focus, as if a person used the machine.
#pragma once
#include <windows.h>

#include <string>

namespace shell_testing {

// Brings window to the front so that it receives the keys.
void Activate(HWND window);
// Moves the pointer to a point of the window's client area and clicks.
void ClickAt(HWND window, int x, int y);
// Presses and releases the key of each character (letters, digits, space).
void TypeKeys(const std::string& text);
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

}  // namespace shell_testing
