// TListBox: a list of lines to pick one from, over the platform's
// LISTBOX class. A pick by the user runs OnClick; ItemIndex is -1 while
// nothing is picked.
#pragma once
#include <memory>

#include "framework/classes/strings.h"
#include "framework/controls/win_control.h"

class TListBox : public TWinControl {
    FRAME_CLASS(TListBox, TWinControl)
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(value); }
    int ItemIndex() const;
    void SetItemIndex(int value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void SaveWindowState() override;
    void Dispatch(void* message) override;

private:
    void ItemsChanged(TObject* sender);
    void FillList();
    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    int FItemHeight = 13;
};
