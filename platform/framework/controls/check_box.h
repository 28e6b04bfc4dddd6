// TCheckBox: a box that is checked or not (or greyed, with AllowGrayed),
// over the platform's BUTTON class. A click moves it to the next state;
// every change of state, clicked or set, runs OnClick.
#pragma once
#include "framework/controls/win_control.h"

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };
FRAME_TYPE_INFO(TCheckBoxState);

class TCheckBox : public TWinControl {
    FRAME_CLASS(TCheckBox, TWinControl)
public:
    explicit TCheckBox(TComponent* owner);
    ~TCheckBox() override;

    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void Dispatch(void* message) override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};
