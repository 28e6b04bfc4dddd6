// The hidden window that carries the platform timers of every TTimer of
// a thread. A timer registers under an id of its own; the window hands
// each WM_TIMER to the timer of that id, and a tick for an id no longer
// registered (a timer freed with a tick still queued) goes nowhere.
#pragma once
#include <windows.h>

class TTimer;

// A new id, never given before in this process.
UINT_PTR RegisterTimer(TTimer* timer);
void UnregisterTimer(UINT_PTR id);
// The calling thread's timer window, made on first use.
HWND TimerWindow();
