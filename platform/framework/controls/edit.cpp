#include "framework/controls/edit.h"

#include "framework/controls/common_properties.h"

const TClassInfo& TEdit::StaticClass() {
    static const TClassInfo info = TClassBuilder<TEdit>::Creatable("TEdit", TWinControl::StaticClass(), [](auto& c) {
        PublishColor(c, false);
        PublishCtl3D(c);
        PublishFont(c);
        PublishFocus(c, true);
        c.Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength);
        c.Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly);
        c.Property("Text", &TWinControl::Text, &TWinControl::SetText);
        c.Property("OnChange", &TEdit::OnChange);
        c.Property("OnKeyPress", &TWinControl::OnKeyPress);
    });
    return info;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    FControlStyle = csClickEvents;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
    SetBounds(FLeft, FTop, 121, 21);
}

TEdit::~TEdit() = default;

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "EDIT";
    params.Style |= WS_TABSTOP | ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0);
    AddBorder(params);
}

void TEdit::HandleCreated() { SendMessageA(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0); }

void TEdit::SaveWindowState() { FCaption = Text(); }

void TEdit::SetMaxLength(int value) {
    FMaxLength = value < 0 ? 0 : value;
    if (FHandle) SendMessageA(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, value, 0);
}

int TEdit::SelStart() const {
    DWORD start = 0;
    if (FHandle) SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TEdit::SelLength() const {
    DWORD start = 0, end = 0;
    if (FHandle) SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TEdit::SetSelStart(int value) {
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(value), value);
}

void TEdit::SetSelLength(int value) {
    int start = SelStart();
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + value);
}

void TEdit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }

void TEdit::Change() { OnChange(this); }

void TEdit::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == EN_CHANGE && !HasState(csLoading)) Change();
        return;
    }
    TWinControl::Dispatch(message);
}
