#include "framework/controls/window_binding.h"

#include <unordered_map>

#include "framework/controls/win_control.h"
#include "framework/controls/window_classes.h"
#include "framework/system/exception_hook.h"

namespace {

// Which object each window of this module stands for. A window property
// would do the same, but reading one is a round trip to the window server
// under Wine (29 us, for every message); this is a lookup in memory. The
// table is this module's own, so a window made by another copy of the
// framework in the process is not taken for ours. It is a plain pointer,
// made at the first binding and freed by ReleaseWindowBinding when the
// module's classes go (the last static object to end), so no static
// object's end can find it gone.
SRWLOCK BindingLock = SRWLOCK_INIT;
std::unordered_map<HWND, TObject*>* Bindings = nullptr;

TObject* PendingTarget = nullptr;

constexpr char UtilityClass[] = "FrameUtilityWindow";

void Deliver(TObject* target, TMessage& m) {
    if (auto control = ObjectAs<TControl>(target))
        control->WindowProc(m);
    else
        target->Dispatch(&m);
}

}  // namespace

void BindWindow(HWND window, TObject* target) {
    AcquireSRWLockExclusive(&BindingLock);
    if (!Bindings) Bindings = new std::unordered_map<HWND, TObject*>;
    (*Bindings)[window] = target;
    ReleaseSRWLockExclusive(&BindingLock);
}

void UnbindWindow(HWND window) {
    AcquireSRWLockExclusive(&BindingLock);
    if (Bindings) Bindings->erase(window);
    ReleaseSRWLockExclusive(&BindingLock);
}

TObject* WindowTarget(HWND window) {
    if (!window) return nullptr;
    AcquireSRWLockShared(&BindingLock);
    TObject* target = nullptr;
    if (Bindings)
        if (auto found = Bindings->find(window); found != Bindings->end()) target = found->second;
    ReleaseSRWLockShared(&BindingLock);
    return target;
}

TWinControl* FindControl(HWND window) { return ObjectAs<TWinControl>(WindowTarget(window)); }

void BindNextWindow(TObject* target) { PendingTarget = target; }

void ReleaseWindowBinding() {
    AcquireSRWLockExclusive(&BindingLock);
    delete Bindings;
    Bindings = nullptr;
    ReleaseSRWLockExclusive(&BindingLock);
}

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
