// TDemoForm: a framework form hosting the registered progress bar control
// through TProgressBarXProxy, with buttons that step it and a label that
// shows where it is.
#pragma once
#include "progress_bar_x_proxy.h"

class TDemoForm : public TForm {
    FRAME_CLASS(TDemoForm, TForm)
public:
    explicit TDemoForm(TComponent* owner);
    ~TDemoForm() override;

    void FormShow(TObject* sender);
    void StepButtonClick(TObject* sender);
    void BackButtonClick(TObject* sender);

    Meterix_TLB::TProgressBarXProxy* ProgressBarX1 = nullptr;
    TButton* StepButton = nullptr;
    TButton* BackButton = nullptr;
    TLabel* PositionLabel = nullptr;

private:
    void ShowPosition();
};

extern TDemoForm* DemoForm;
