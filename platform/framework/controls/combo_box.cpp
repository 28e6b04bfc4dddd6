#include "framework/controls/combo_box.h"

#include "framework/controls/common_properties.h"
#include "framework/controls/window_binding.h"

FRAME_DEFINE_ENUM_INFO(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList")

namespace {
const TListControl::TListMessages ComboBoxMessages{CB_RESETCONTENT, CB_ADDSTRING, CB_GETCOUNT, CB_GETCURSEL, CB_SETCURSEL,
                                                   CB_SETITEMHEIGHT};
}

const TClassInfo& TComboBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TComboBox>::Creatable("TComboBox", TListControl::StaticClass(), [](auto& c) {
        c.Property("Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown);
        PublishColor(c, false);
        PublishCtl3D(c);
        c.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount).Default(8);
        PublishFont(c);
        c.Property("ItemHeight", &TListControl::ItemHeight, &TListControl::SetItemHeight).NoDefault();
        c.Property("Items", &TListControl::Items, &TListControl::SetItems);
        PublishFocus(c, true);
        c.Property("Text", &TWinControl::Text, &TComboBox::SetComboText).Stored(&TComboBox::TextStored);
        c.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
            .Default(-1)
            .Stored(&TComboBox::ItemIndexStored);
        c.Property("OnChange", &TComboBox::OnChange);
    });
    return info;
}

TComboBox::TComboBox(TComponent* owner) : TListControl(owner, ComboBoxMessages) {
    FControlStyle = csClickEvents;
    SetBounds(FLeft, FTop, 145, 21);
}

TComboBox::~TComboBox() = default;

// The window's height includes the dropped-down list; the platform then
// keeps the box at the height its font needs.
void TComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "COMBOBOX";
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
    params.Style |= WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL | styles[FStyle];
    params.Style &= ~WS_CLIPCHILDREN;
    if (FStyle != csSimple) params.Height = FHeight + FItemHeight * FDropDownCount + 2;
}

// The typed-in box is a window of the platform's inside the combo box:
// its Tab, Enter and Escape move through the form like the combo box's
// own, and its colour requests reach the combo box's control.
LRESULT CALLBACK ComboEditProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto combo = ObjectAs<TComboBox>(WindowTarget(window));
    if (!combo) return DefWindowProcA(window, msg, wParam, lParam);
    WNDPROC next = combo->FEditProc;
    if (msg == WM_KEYDOWN && !combo->DroppedDown()) {
        TMessage m{msg, wParam, lParam, 0};
        if (combo->HandleNavigationKey(m)) return 0;
    } else if (msg == WM_CHAR && combo->SwallowsChar(static_cast<char>(wParam))) {
        return 0;
    } else if (msg == WM_NCDESTROY) {
        UnbindWindow(window);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
        combo->FEdit = nullptr;
    }
    return CallWindowProcA(next, window, msg, wParam, lParam);
}

void TComboBox::HandleCreated() {
    TListControl::HandleCreated();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (FStyle != csDropDownList && GetComboBoxInfo(FHandle, &info) && info.hwndItem) {
        FEdit = info.hwndItem;
        BindWindow(FEdit, this);
        FEditProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(FEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ComboEditProc)));
    }
}

// A box with typed text shows it again; a picked item shows itself.
void TComboBox::FillList() {
    if (!FHandle) return;
    int picked = FItemIndex;
    if (FTyped) FItemIndex = -1;
    TListControl::FillList();
    FItemIndex = picked;
    if (FTyped && FStyle != csDropDownList) SetWindowTextA(FHandle, FCaption.c_str());
}

void TComboBox::SaveWindowState() {
    TListControl::SaveWindowState();
    FCaption = Text();
}

void TComboBox::ItemsChanged() {
    if (FHandle) FCaption = Text();
    TListControl::ItemsChanged();
}

int TComboBox::ItemIndex() const {
    if (FTyped) return FItems->IndexOf(Text());
    return TListControl::ItemIndex();
}

void TComboBox::SetItemIndex(int value) {
    FTyped = false;
    TListControl::SetItemIndex(value);
    FCaption = FItemIndex >= 0 ? FItems->Strings(FItemIndex) : AnsiString();
}

void TComboBox::SetComboText(const AnsiString& value) {
    if (FStyle == csDropDownList) {
        SetItemIndex(FItems->IndexOf(value));
        return;
    }
    FTyped = true;
    FItemIndex = FItems->IndexOf(value);
    SetCaption(value);
}

void TComboBox::SetStyle(TComboBoxStyle value) {
    if (value == FStyle) return;
    if (FHandle) SaveWindowState();
    FStyle = value;
    if (FStyle == csDropDownList && FTyped) SetItemIndex(FItemIndex);
    RecreateWnd();
}

void TComboBox::SetDropDownCount(int value) { FDropDownCount = value < 1 ? 1 : value; }

bool TComboBox::DroppedDown() const { return FHandle && SendMessageA(FHandle, CB_GETDROPPEDSTATE, 0, 0); }

void TComboBox::Change() { OnChange(this); }

void TComboBox::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (m.Msg == CN_COMMAND) {
        switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE:
            FTyped = false;
            FItemIndex = static_cast<int>(SendMessageA(FHandle, CB_GETCURSEL, 0, 0));
            Change();
            Click();
            break;
        case CBN_EDITCHANGE:
            FTyped = true;
            Change();
            break;
        default: break;
        }
        return;
    }
    TWinControl::Dispatch(message);
}
