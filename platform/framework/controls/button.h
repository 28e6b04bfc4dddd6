// TButton: a push button over the platform's BUTTON class. A click (by
// the mouse, the space bar, or Enter and Escape on its form) runs
// OnClick; a button with a ModalResult also ends its modal form with
// that result. Default makes it the form's Enter button, Cancel its
// Escape button.
#pragma once
#include "framework/controls/win_control.h"

class TButton : public TWinControl {
    FRAME_CLASS(TButton, TWinControl)
public:
    explicit TButton(TComponent* owner);
    ~TButton() override;

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    // A TModalResult (mrOk, mrCancel...); 0 leaves the form open.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }

    // Sets its form's ModalResult, then runs OnClick: a handler may set
    // the form's ModalResult back to mrNone to keep the form open, and a
    // handler that fails keeps it open too.
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(void* message) override;

    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};
