#include "framework/controls/radio_button.h"

#include "framework/controls/common_properties.h"

const TClassInfo& TRadioButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TRadioButton>::Creatable("TRadioButton", TWinControl::StaticClass(), [](auto& c) {
            PublishCaption(c);
            c.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
            PublishColor(c, true);
            PublishCtl3D(c);
            PublishFont(c);
            PublishFocus(c, false);
        });
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    FControlStyle = 0;
    SetBounds(FLeft, FTop, 113, 17);
}

TRadioButton::~TRadioButton() = default;

void TRadioButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "BUTTON";
    params.Style |= BS_RADIOBUTTON | (FTabStop ? WS_TABSTOP : 0);
}

void TRadioButton::HandleCreated() { SendMessageA(FHandle, BM_SETCHECK, FChecked, 0); }

// Tab reaches a group of radio buttons at its checked one.
void TRadioButton::SetChecked(bool value) {
    if (value == FChecked) return;
    FChecked = value;
    FTabStop = value;
    if (FHandle) SendMessageA(FHandle, BM_SETCHECK, value, 0);
    if (!value) return;
    if (FParent)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto other = ObjectAs<TRadioButton>(FParent->Controls(i)); other && other != this)
                other->SetChecked(false);
    if (!HasState(csLoading)) Click();
}

void TRadioButton::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == BN_CLICKED) SetChecked(true);
        return;
    }
    TWinControl::Dispatch(message);
}
