#include "framework/controls/button.h"

#include "framework/controls/common_properties.h"
#include "framework/forms/form.h"

const TClassInfo& TButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TButton>::Creatable("TButton", TWinControl::StaticClass(), [](auto& c) {
        PublishCaption(c);
        c.Property("Cancel", &TButton::Cancel, &TButton::SetCancel);
        c.Property("Default", &TButton::Default, &TButton::SetDefault);
        c.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
        PublishFont(c);
        PublishFocus(c, true);
    });
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    FControlStyle = 0;  // the platform presses, captures and clicks
    FTabStop = true;
    FColor = clBtnFace;
    SetBounds(FLeft, FTop, 75, 25);
}

TButton::~TButton() = default;

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "BUTTON";
    params.Style |= WS_TABSTOP | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool value) {
    if (value == FDefault) return;
    FDefault = value;
    if (!FHandle) return;
    // A button that draws itself shows it in its drawing, not its style.
    LONG type = GetWindowLongA(FHandle, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
        SendMessageA(FHandle, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    else
        Invalidate();
}

void TButton::Click() {
    TForm* form = GetParentForm(this);
    TModalResult before = form ? form->ModalResult() : mrNone;
    if (form && FModalResult != mrNone) form->SetModalResult(FModalResult);
    try {
        TWinControl::Click();
    } catch (...) {
        if (form) form->SetModalResult(before);
        throw;
    }
}

void TButton::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    case CM_DIALOGKEY: {
        // Enter goes to the focused button, else to the default one.
        bool mine = (m.WParam == VK_RETURN && (m.LParam || FDefault)) || (m.WParam == VK_ESCAPE && FCancel);
        if (!mine || !CanFocus()) return;
        Click();
        m.Result = 1;
        return;
    }
    default: TWinControl::Dispatch(message);
    }
}
