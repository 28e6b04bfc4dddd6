#include "framework/controls/list_box.h"

#include "framework/controls/common_properties.h"

namespace {
const TListControl::TListMessages ListBoxMessages{LB_RESETCONTENT, LB_ADDSTRING, LB_GETCOUNT, LB_GETCURSEL, LB_SETCURSEL,
                                                  LB_SETITEMHEIGHT};
}

const TClassInfo& TListBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListBox>::Creatable("TListBox", TListControl::StaticClass(), [](auto& c) {
        PublishColor(c, false);
        PublishCtl3D(c);
        PublishFont(c);
        c.Property("ItemHeight", &TListControl::ItemHeight, &TListControl::SetItemHeight).Default(13);
        c.Property("Items", &TListControl::Items, &TListControl::SetItems);
        PublishFocus(c, true);
    });
    return info;
}

TListBox::TListBox(TComponent* owner) : TListControl(owner, ListBoxMessages) {
    FControlStyle = 0;  // a pick is the click
    SetBounds(FLeft, FTop, 121, 97);
}

TListBox::~TListBox() = default;

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "LISTBOX";
    params.Style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    AddBorder(params);
}

void TListBox::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == LBN_SELCHANGE) Click();
        return;
    }
    TWinControl::Dispatch(message);
}
