#include "framework/controls/list_box.h"

#include "framework/controls/common_properties.h"

const TClassInfo& TListBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListBox>::Creatable("TListBox", TWinControl::StaticClass(), [](auto& c) {
        PublishColor(c, false);
        PublishCtl3D(c);
        PublishFont(c);
        c.Property("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight).Default(13);
        c.Property("Items", &TListBox::Items, &TListBox::SetItems);
        PublishFocus(c, true);
    });
    return info;
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner), FItems(std::make_unique<TStringList>()) {
    FItems->OnChange = TNotifyEvent(this, &TListBox::ItemsChanged);
    FControlStyle = 0;  // a pick is the click
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
    SetBounds(FLeft, FTop, 121, 97);
}

TListBox::~TListBox() = default;

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "LISTBOX";
    params.Style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    AddBorder(params);
}

void TListBox::HandleCreated() {
    SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
    FillList();
}

void TListBox::FillList() {
    SendMessageA(FHandle, LB_RESETCONTENT, 0, 0);
    for (const AnsiString& item : FItems->Items())
        SendMessageA(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TListBox::SaveWindowState() { FItemIndex = ItemIndex(); }

void TListBox::ItemsChanged(TObject*) {
    FItemIndex = ItemIndex();
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    if (FHandle) FillList();
}

int TListBox::ItemIndex() const {
    return FHandle ? static_cast<int>(SendMessageA(FHandle, LB_GETCURSEL, 0, 0)) : FItemIndex;
}

void TListBox::SetItemIndex(int value) {
    if (value < -1 || value >= FItems->Count()) value = -1;
    FItemIndex = value;
    if (FHandle) SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TListBox::SetItemHeight(int value) {
    if (value <= 0) return;
    FItemHeight = value;
    if (FHandle) SendMessageA(FHandle, LB_SETITEMHEIGHT, 0, value);
}

void TListBox::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == LBN_SELCHANGE) Click();
        return;
    }
    TWinControl::Dispatch(message);
}
