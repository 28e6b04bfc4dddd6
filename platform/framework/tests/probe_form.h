// The form of probe.form, recording what happens to it.
#pragma once
#include <vector>

#include "framework/framework.h"

class TProbeForm : public TForm {
    FRAME_CLASS(TProbeForm, TForm)
public:
    explicit TProbeForm(TComponent* owner);
    ~TProbeForm() override;

    TImage* Back = nullptr;
    TImage* Front = nullptr;
    TImage* Ground = nullptr;
    TImage* Badge = nullptr;
    TTimer* Ticker = nullptr;

    std::vector<AnsiString> Clicks;
    int Ticks = 0;
    int Shows = 0;
    bool ThrowOnClick = false;

    void FormClick(TObject* sender);
    void FormShow(TObject* sender);
    void BackClick(TObject* sender);
    void FrontClick(TObject* sender);
    void FrontMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void TickerTimer(TObject* sender);
    void FormKeyPress(TObject* sender, char& key);
    AnsiString Typed;
};

// A form class whose resource does not exist.
class TOrphanForm : public TForm {
    FRAME_CLASS(TOrphanForm, TForm)
public:
    using TForm::TForm;
};
