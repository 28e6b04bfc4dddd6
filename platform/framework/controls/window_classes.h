// The framework's window classes. They are registered under the module
// the framework's code lives in (the program, or frame35.dll when a
// control or package loads it), never under the program's instance, and
// they are unregistered when that module goes: a framework DLL can be
// loaded, used, unloaded and loaded again in one process.
#pragma once
#include <windows.h>

// The module holding the framework's code.
HINSTANCE FrameInstance();

// Registers the class (once per module) with the framework's window
// procedure. With a platform class as base ("BUTTON", "EDIT",
// "msctls_progress32"), the class copies the base's styles, extra bytes,
// cursor and background, and the base's own procedure gets what the
// framework leaves; style is added to the class styles. Returns that
// procedure (DefWindowProcA for a class of the framework's own).
WNDPROC RegisterFrameClass(const char* name, const char* base = nullptr, UINT style = 0);

// What handles the messages the framework leaves, for a window of one of
// its classes (DefWindowProcA for any other window).
WNDPROC FrameClassDefaultProc(HWND window);
