#include "framework/controls/menus.h"

#include <algorithm>

#include "framework/classes/published.h"
#include "framework/controls/parking_window.h"
#include "framework/controls/win_control.h"

namespace {
UINT NextCommand = 1;
}

const TClassInfo& TMenuItem::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMenuItem>::Creatable("TMenuItem", TComponent::StaticClass(), [](auto& c) {
        c.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
        c.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
        c.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
        c.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
        c.Property("OnClick", &TMenuItem::OnClick);
    });
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(NextCommand++) {}

TMenuItem::~TMenuItem() {
    while (!FItems.empty()) delete FItems.back();
    if (FParent) FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("Menu index out of bounds (%d)", index));
    return FItems[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    if (item->FParent) throw EInvalidOperation("Menu item '" + item->Name() + "' is already in a menu");
    for (const TMenuItem* p = this; p; p = p->FParent)
        if (p == item) throw EInvalidOperation("A menu item cannot contain itself");
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    if (!item || item->FParent != this) return;
    std::erase(FItems, item);
    item->FParent = nullptr;
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
    if (FCommand == command) return this;
    for (TMenuItem* item : FItems)
        if (TMenuItem* found = item->FindCommand(command)) return found;
    return nullptr;
}

void TMenuItem::Click() { OnClick(this); }

HMENU TMenuItem::MakePopupMenu() const {
    HMENU menu = CreatePopupMenu();
    for (const TMenuItem* item : FItems) {
        if (!item->FVisible) continue;
        if (item->IsLine()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item->FChecked ? MF_CHECKED : 0) | (item->FEnabled ? 0 : MF_GRAYED);
        if (!item->FItems.empty())
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(item->MakePopupMenu()), item->FCaption.c_str());
        else
            AppendMenuA(menu, flags, item->FCommand, item->FCaption.c_str());
    }
    return menu;
}

void TMenuItem::SetChildParent(TComponent* child) {
    if (auto item = ObjectAs<TMenuItem>(child)) Add(item);
}

std::vector<TComponent*> TMenuItem::GetChildren(TComponent* root) const {
    std::vector<TComponent*> result;
    for (TMenuItem* item : FItems)
        if (item->Owner() == root) result.push_back(item);
    return result;
}

const TClassInfo& TPopupMenu::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPopupMenu>::Creatable("TPopupMenu", TComponent::StaticClass(), [](auto& c) {
        c.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
        c.Property("OnPopup", &TPopupMenu::OnPopup);
    });
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), FItems(std::make_unique<TMenuItem>(nullptr)) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
    if (component == FPopupComponent) return;
    if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
    FPopupComponent = component;
    if (component) component->FreeNotification(this);
}

// The menu belongs to the window of the control it is shown for, so that
// it closes as menus do when that window loses the focus.
void TPopupMenu::Popup(int x, int y) {
    OnPopup(this);
    HWND owner = nullptr;
    if (auto control = ObjectAs<TControl>(FPopupComponent)) {
        TWinControl* win = ObjectAs<TWinControl>(control);
        if (!win) win = control->Parent();
        if (win) owner = win->Handle();
    }
    if (!owner) owner = ParkingWindow();
    HMENU menu = FItems->MakePopupMenu();
    UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, 0, owner, nullptr));
    DestroyMenu(menu);
    if (command == 0) return;
    if (TMenuItem* item = FItems->FindCommand(command)) item->Click();
}

void TPopupMenu::SetChildParent(TComponent* child) { FItems->SetChildParent(child); }

std::vector<TComponent*> TPopupMenu::GetChildren(TComponent* root) const { return FItems->GetChildren(root); }
