#include "framework/controls/timer.h"

#include "framework/classes/published.h"
#include "framework/system/exception_hook.h"

const TClassInfo& TTimer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTimer>::Creatable("TTimer", TComponent::StaticClass(), [](auto& c) {
        c.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
        c.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
        c.Property("OnTimer", &TTimer::GetOnTimer, &TTimer::SetOnTimer);
    });
    return info;
}


static const char* const TimerWindowClass = "FrameTimerWindow";

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(instance, TimerWindowClass, &wc)) {
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = TimerWindowClass;
        RegisterClassA(&wc);
    }
    FWindow = CreateWindowExA(0, TimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    Win32Check(FWindow != nullptr, "CreateWindowEx (timer)");
    SetWindowLongPtrA(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TTimer::~TTimer() {
    if (FRunning) KillTimer(FWindow, 1);
    DestroyWindow(FWindow);
}

void TTimer::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
    if (value == FInterval) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    OnTimer = handler;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

// The platform timer runs only while there is something to call; a form
// being read starts its timers once it is complete.
void TTimer::UpdateTimer() {
    if (FRunning) KillTimer(FWindow, 1);
    FRunning = false;
    if (FEnabled && FInterval > 0 && OnTimer && !HasState(csLoading) && !HasState(csDesigning)) {
        Win32Check(SetTimer(FWindow, 1, FInterval, nullptr) != 0, "SetTimer");
        FRunning = true;
    }
}

void TTimer::Tick() { OnTimer(this); }

LRESULT CALLBACK TTimer::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        if (auto timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
            try {
                timer->Tick();
            } catch (...) {
                HandleEventException();
            }
        }
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}
