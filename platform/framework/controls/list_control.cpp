#include "framework/controls/list_control.h"

#include "framework/classes/published.h"

const TClassInfo& TListControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListControl>::Abstract("TListControl", TWinControl::StaticClass());
    return info;
}

TListControl::TListControl(TComponent* owner, const TListMessages& messages)
    : TWinControl(owner), FItems(std::make_unique<TStringList>()), FMessages(messages) {
    FItems->OnChange = TNotifyEvent(this, &TListControl::ItemsObjectChanged);
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
}

TListControl::~TListControl() = default;

void TListControl::HandleCreated() {
    SendMessageA(FHandle, FMessages.SetItemHeight, 0, FItemHeight);
    FillList();
}

void TListControl::FillList() {
    if (!FHandle) return;
    SendMessageA(FHandle, FMessages.ResetContent, 0, 0);
    for (const AnsiString& item : FItems->Items())
        SendMessageA(FHandle, FMessages.AddString, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(FHandle, FMessages.SetCurSel, static_cast<WPARAM>(FItemIndex), 0);
}

void TListControl::SaveWindowState() { FItemIndex = ItemIndex(); }

void TListControl::ItemsChanged() {
    // Filling the whole list again for each added line made a list of n
    // lines cost n² messages.
    if (FHandle && FItems->LastChange() == TStringsChange::Appended &&
        SendMessageA(FHandle, FMessages.GetCount, 0, 0) == FItems->Count() - 1) {
        SendMessageA(FHandle, FMessages.AddString, 0, reinterpret_cast<LPARAM>(FItems->Items().back().c_str()));
        return;
    }
    FItemIndex = ItemIndex();
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    FillList();
}

int TListControl::ItemIndex() const {
    return FHandle ? static_cast<int>(SendMessageA(FHandle, FMessages.GetCurSel, 0, 0)) : FItemIndex;
}

void TListControl::SetItemIndex(int value) {
    if (value < -1 || value >= FItems->Count()) value = -1;
    FItemIndex = value;
    if (FHandle) SendMessageA(FHandle, FMessages.SetCurSel, static_cast<WPARAM>(value), 0);
}

void TListControl::SetItemHeight(int value) {
    if (value <= 0) return;
    FItemHeight = value;
    if (FHandle) SendMessageA(FHandle, FMessages.SetItemHeight, 0, value);
}
