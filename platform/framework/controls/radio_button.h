// TRadioButton: one choice among the radio buttons of the same parent,
// over the platform's BUTTON class. Checking one (by a click or in code)
// unchecks the others and runs its OnClick.
#pragma once
#include "framework/controls/win_control.h"

class TRadioButton : public TWinControl {
    FRAME_CLASS(TRadioButton, TWinControl)
public:
    explicit TRadioButton(TComponent* owner);
    ~TRadioButton() override;

    bool Checked() const { return FChecked; }
    void SetChecked(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void Dispatch(void* message) override;

private:
    bool FChecked = false;
};
