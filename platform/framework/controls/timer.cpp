#include "framework/controls/timer.h"

#include "framework/classes/published.h"
#include "framework/controls/timer_window.h"

const TClassInfo& TTimer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTimer>::Creatable("TTimer", TComponent::StaticClass(), [](auto& c) {
        c.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
        c.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
        c.Property("OnTimer", &TTimer::GetOnTimer, &TTimer::SetOnTimer);
    });
    return info;
}


TTimer::TTimer(TComponent* owner) : TComponent(owner), FId(RegisterTimer(this)) {}

TTimer::~TTimer() {
    StopTimer();
    UnregisterTimer(FId);
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

void TTimer::StopTimer() {
    if (FWindow) KillTimer(FWindow, FId);
    FWindow = nullptr;
}

// The platform timer runs only while there is something to call; a form
// being read starts its timers once it is complete.
void TTimer::UpdateTimer() {
    StopTimer();
    if (FEnabled && FInterval > 0 && OnTimer && !HasState(csLoading) && !HasState(csDesigning)) {
        HWND window = TimerWindow();
        Win32Check(SetTimer(window, FId, FInterval, nullptr) != 0, "SetTimer");
        FWindow = window;
    }
}

void TTimer::Tick() { OnTimer(this); }
