#include "framework/controls/timer.h"

#include "framework/classes/published.h"
#include "framework/controls/messages.h"
#include "framework/controls/window_binding.h"

const TClassInfo& TTimer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTimer>::Creatable("TTimer", TComponent::StaticClass(), [](auto& c) {
        c.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
        c.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
        c.Property("OnTimer", &TTimer::GetOnTimer, &TTimer::SetOnTimer);
    });
    return info;
}


TTimer::TTimer(TComponent* owner) : TComponent(owner), FWindow(AllocateHWnd(this)) {}

TTimer::~TTimer() {
    if (FRunning) KillTimer(FWindow, 1);
    DeallocateHWnd(FWindow);
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

void TTimer::Dispatch(void* message) {
    if (static_cast<TMessage*>(message)->Msg == WM_TIMER)
        Tick();
    else
        DefaultHandler(message);
}

void TTimer::DefaultHandler(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    m.Result = DefWindowProcA(FWindow, m.Msg, m.WParam, m.LParam);
}
