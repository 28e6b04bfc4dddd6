#include "framework/controls/progress_bar.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/controls/common_properties.h"

const TClassInfo& TProgressBar::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TProgressBar>::Creatable("TProgressBar", TWinControl::StaticClass(), [](auto& c) {
            c.Property("Min", &TProgressBar::Min, &TProgressBar::SetMin);
            c.Property("Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100);
            c.Property("Position", &TProgressBar::Position, &TProgressBar::SetPosition);
            c.Property("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth);
            c.Property("Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10);
            PublishFocus(c, false);
        });
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    FControlStyle = csClickEvents;
    SetBounds(FLeft, FTop, 150, 16);
}

TProgressBar::~TProgressBar() = default;

void TProgressBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = PROGRESS_CLASSA;
    if (FSmooth) params.Style |= PBS_SMOOTH;
}

void TProgressBar::HandleCreated() {
    SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    SendMessageA(FHandle, PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
    SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

void TProgressBar::SaveWindowState() { FPosition = Position(); }

// The range is checked while a form is read too, where Min and Max come
// one at a time in the order they were written (Min first).
void TProgressBar::SetMin(int value) {
    if (value == FMin) return;
    if (value > FMax && !HasState(csLoading)) throw EInvalidOperation(Format("Min (%d) above Max (%d)", value, FMax));
    FPosition = Position();
    FMin = value;
    if (FMax < FMin) FMax = FMin;
    FPosition = std::clamp(FPosition, FMin, FMax);
    if (FHandle) SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TProgressBar::SetMax(int value) {
    if (value == FMax) return;
    if (value < FMin) throw EInvalidOperation(Format("Max (%d) below Min (%d)", value, FMin));
    FPosition = Position();
    FMax = value;
    FPosition = std::clamp(FPosition, FMin, FMax);
    if (FHandle) SendMessageA(FHandle, PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

int TProgressBar::Position() const {
    return FHandle ? static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0)) : FPosition;
}

void TProgressBar::SetPosition(int value) {
    FPosition = std::clamp(value, FMin, FMax);
    if (FHandle) SendMessageA(FHandle, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetStep(int value) {
    FStep = value;
    if (FHandle) SendMessageA(FHandle, PBM_SETSTEP, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetSmooth(bool value) {
    if (value == FSmooth) return;
    FSmooth = value;
    RecreateWnd();
}

void TProgressBar::StepIt() {
    if (FHandle) {
        SendMessageA(FHandle, PBM_STEPIT, 0, 0);
        return;
    }
    // As the platform's bar: past Max it starts again from Min, carrying
    // the overshoot.
    int next = FPosition + FStep;
    if (next > FMax)
        FPosition = FMax > FMin ? FMin + (next - FMax) % (FMax - FMin) : FMin;
    else
        FPosition = std::max(next, FMin);
}

void TProgressBar::StepBy(int delta) {
    if (FHandle) {
        SendMessageA(FHandle, PBM_DELTAPOS, static_cast<WPARAM>(delta), 0);
        return;
    }
    FPosition = std::clamp(FPosition + delta, FMin, FMax);
}
