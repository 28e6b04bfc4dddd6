#include "framework/controls/window_binding.h"

#include <cstdio>

#include "framework/controls/win_control.h"
#include "framework/controls/window_classes.h"
#include "framework/system/exception_hook.h"

namespace {

// The property's name carries the module's address: a window made by
// another copy of the framework in the same process is not taken for ours.
ATOM BindingAtom() {
    static ATOM atom = [] {
        char name[48];
        std::snprintf(name, sizeof name, "FrameObject:%p", static_cast<void*>(FrameInstance()));
        return GlobalAddAtomA(name);
    }();
    return atom;
}

TObject* PendingTarget = nullptr;

constexpr char UtilityClass[] = "FrameUtilityWindow";

void Deliver(TObject* target, TMessage& m) {
    if (auto control = ObjectAs<TControl>(target))
        control->WindowProc(m);
    else
        target->Dispatch(&m);
}

}  // namespace

void BindWindow(HWND window, TObject* target) { SetPropA(window, MAKEINTATOM(BindingAtom()), target); }

void UnbindWindow(HWND window) { RemovePropA(window, MAKEINTATOM(BindingAtom())); }

TObject* WindowTarget(HWND window) {
    return window ? static_cast<TObject*>(GetPropA(window, MAKEINTATOM(BindingAtom()))) : nullptr;
}

TWinControl* FindControl(HWND window) { return ObjectAs<TWinControl>(WindowTarget(window)); }

void BindNextWindow(TObject* target) { PendingTarget = target; }

void ReleaseWindowBinding() { GlobalDeleteAtom(BindingAtom()); }

LRESULT CALLBACK FrameWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TObject* target = WindowTarget(window);
    if (!target && PendingTarget) {
        target = PendingTarget;
        PendingTarget = nullptr;
        BindWindow(window, target);
        if (auto control = ObjectAs<TWinControl>(target)) control->FHandle = window;
    }
    if (!target) return CallWindowProcA(FrameClassDefaultProc(window), window, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        Deliver(target, m);
    } catch (...) {
        HandleEventException();
    }
    if (msg == WM_NCDESTROY) {
        UnbindWindow(window);
        if (auto control = ObjectAs<TWinControl>(target)) control->FHandle = nullptr;
    }
    return m.Result;
}

HWND AllocateHWnd(TObject* target) {
    RegisterFrameClass(UtilityClass);
    HWND window = CreateWindowExA(0, UtilityClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, FrameInstance(), nullptr);
    Win32Check(window != nullptr, "CreateWindowEx (utility window)");
    BindWindow(window, target);
    return window;
}

void DeallocateHWnd(HWND window) {
    if (!window) return;
    UnbindWindow(window);
    DestroyWindow(window);
}
