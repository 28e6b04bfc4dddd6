// TProgressBar: shows how far a task has come, over the platform's
// progress bar class. Position runs from Min to Max; while the control
// has a window, Position is what the window reports. StepIt adds Step
// and starts again from Min once past Max, carrying the overshoot;
// StepBy adds any amount and stops at the ends.
#pragma once
#include "framework/controls/win_control.h"

class TProgressBar : public TWinControl {
    FRAME_CLASS(TProgressBar, TWinControl)
public:
    explicit TProgressBar(TComponent* owner);
    ~TProgressBar() override;

    int Min() const { return FMin; }
    int Max() const { return FMax; }
    // A Min above Max (or a Max below Min) raises EInvalidOperation and
    // changes nothing.
    void SetMin(int value);
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    int Step() const { return FStep; }
    void SetStep(int value);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool value);
    void StepIt();
    void StepBy(int delta);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void SaveWindowState() override;

private:
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    bool FSmooth = false;
};
