// Menus for PopupMenu: a TPopupMenu holds a tree of TMenuItem; a right
// click on a control with a PopupMenu shows it at the pointer, and the
// item picked runs its OnClick. In a form resource the items sit inside
// their menu (or parent item), as children.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/classes/component.h"

class TMenuItem : public TComponent {
    FRAME_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    // Frees the sub-items still in it, and leaves its parent item.
    ~TMenuItem() override;

    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& value) { FCaption = value; }
    // A caption of "-" makes the item a separating line.
    bool IsLine() const { return FCaption == "-"; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value) { FChecked = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return FParent; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    // The command number the item has in a platform menu.
    UINT Command() const { return FCommand; }
    TMenuItem* FindCommand(UINT command);

    virtual void Click();
    TNotifyEvent OnClick;

    // A platform popup menu of the sub-items (the caller destroys it).
    HMENU MakePopupMenu() const;

    bool CanParentChildren() const override { return true; }
    void SetChildParent(TComponent* child) override;
    std::vector<TComponent*> GetChildren(TComponent* root) const override;

private:
    AnsiString FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    UINT FCommand;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
};

class TPopupMenu : public TComponent {
    FRAME_CLASS(TPopupMenu, TComponent)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // The menu's items are the sub-items of this one.
    TMenuItem* Items() const { return FItems.get(); }
    // Shows the menu at a screen point and waits for a pick; the item
    // picked is clicked before Popup returns.
    void Popup(int x, int y);
    // The control the menu was last shown for.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* component);
    // Whether a right click shows the menu by itself.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    TNotifyEvent OnPopup;

    bool CanParentChildren() const override { return true; }
    void SetChildParent(TComponent* child) override;
    std::vector<TComponent*> GetChildren(TComponent* root) const override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TMenuItem> FItems;
    TComponent* FPopupComponent = nullptr;
    bool FAutoPopup = true;
};
