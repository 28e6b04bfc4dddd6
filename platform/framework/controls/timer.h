// TTimer: calls OnTimer every Interval milliseconds while Enabled, from
// the message loop of the thread that made it, whether or not its form
// is shown. The timers of a thread share one hidden window (made when
// the first of them starts), each under an id of its own: a window per
// timer cost more than a millisecond of every form's creation.
#pragma once
#include <windows.h>

#include "framework/classes/component.h"

class TTimer : public TComponent {
    FRAME_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned value);
    TNotifyEvent OnTimer;
    // Runs at once what a tick of the platform timer runs.
    void Tick();

    void Loaded() override;

private:
    void UpdateTimer();
    void StopTimer();
    TNotifyEvent GetOnTimer() const { return OnTimer; }
    void SetOnTimer(TNotifyEvent handler);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    UINT_PTR FId;              // this timer's id on its thread's timer window
    HWND FWindow = nullptr;    // that window while the platform timer runs
};
