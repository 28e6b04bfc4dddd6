// One way for every window the framework makes (controls, forms, timers,
// the parking window) to reach the object behind it: the module keeps a
// table from window to object, and the framework's one window procedure
// hands each message to it. A control gets it through its replaceable
// WindowProc; any other object through Dispatch, where it answers what
// it does not handle itself with the platform's default.
#pragma once
#include <windows.h>

class TObject;
class TWinControl;

LRESULT CALLBACK FrameWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

void BindWindow(HWND window, TObject* target);
void UnbindWindow(HWND window);
// The object behind a window of this module; nullptr for any other window.
TObject* WindowTarget(HWND window);
// The control behind a window; nullptr for a window that is no control of ours.
TWinControl* FindControl(HWND window);
// The next window made on this thread is bound to target from its very
// first message (before CreateWindowEx returns).
void BindNextWindow(TObject* target);

// A hidden message-only window bound to target, for objects that need
// messages but show nothing (timers). DeallocateHWnd unbinds and destroys it.
HWND AllocateHWnd(TObject* target);
void DeallocateHWnd(HWND window);

// When the module unloads: the table goes.
void ReleaseWindowBinding();
