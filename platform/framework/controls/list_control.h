// What a list box and a combo box share: their items, the item picked and
// the height of a line, kept in the platform's list while the control has
// a window and in the control while it has none. Each class names the
// messages of its platform list.
#pragma once
#include <memory>

#include "framework/classes/strings.h"
#include "framework/controls/win_control.h"

class TListControl : public TWinControl {
    FRAME_CLASS(TListControl, TWinControl)
public:
    ~TListControl() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(value); }
    // -1 while no item is picked.
    virtual int ItemIndex() const;
    virtual void SetItemIndex(int value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);

    // The messages of the platform's list class.
    struct TListMessages {
        UINT ResetContent, AddString, GetCount, GetCurSel, SetCurSel, SetItemHeight;
    };

protected:
    TListControl(TComponent* owner, const TListMessages& messages);
    void HandleCreated() override;
    void SaveWindowState() override;
    // The platform's list from the items and the pick.
    virtual void FillList();
    // The items changed: a line added at the end is added to the list;
    // after any other change the list is made again, keeping the pick.
    virtual void ItemsChanged();

    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    int FItemHeight = 13;

private:
    void ItemsObjectChanged(TObject*) { ItemsChanged(); }
    const TListMessages& FMessages;
};
