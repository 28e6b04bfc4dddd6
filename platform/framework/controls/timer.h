// TTimer: calls OnTimer every Interval milliseconds while Enabled, from
// the message loop of the thread that made it, whether or not its form
// is shown. It has a small hidden window of its own for that.
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
    void Dispatch(void* message) override;
    void DefaultHandler(void* message) override;

private:
    void UpdateTimer();
    TNotifyEvent GetOnTimer() const { return OnTimer; }
    void SetOnTimer(TNotifyEvent handler);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    HWND FWindow = nullptr;
    bool FRunning = false;
};
