#include "framework/controls/check_box.h"

#include "framework/controls/common_properties.h"

FRAME_DEFINE_ENUM_INFO(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")

const TClassInfo& TCheckBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCheckBox>::Creatable("TCheckBox", TWinControl::StaticClass(), [](auto& c) {
        c.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
        PublishCaption(c);
        c.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Stored(false);
        c.Property("State", &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked);
        PublishColor(c, true);
        PublishCtl3D(c);
        PublishFont(c);
        PublishFocus(c, true);
    });
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    FControlStyle = 0;
    FTabStop = true;
    SetBounds(FLeft, FTop, 97, 17);
}

TCheckBox::~TCheckBox() = default;

void TCheckBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "BUTTON";
    params.Style |= WS_TABSTOP | (FAllowGrayed ? BS_3STATE : BS_CHECKBOX);
}

void TCheckBox::HandleCreated() { SendMessageA(FHandle, BM_SETCHECK, FState, 0); }

void TCheckBox::SetState(TCheckBoxState value) {
    if (value == FState) return;
    FState = value;
    if (FHandle) SendMessageA(FHandle, BM_SETCHECK, value, 0);
    if (!HasState(csLoading)) Click();
}

void TCheckBox::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == BN_CLICKED) {
            static const TCheckBoxState next[] = {cbChecked, cbUnchecked, cbUnchecked};
            SetState(FState == cbChecked && FAllowGrayed ? cbGrayed : next[FState]);
        }
        return;
    }
    TWinControl::Dispatch(message);
}
