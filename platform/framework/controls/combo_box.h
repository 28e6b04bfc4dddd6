// TComboBox: a list to pick from, with a box above it that shows the pick
// (csDropDownList), or in which the user may type any text (csDropDown,
// csSimple), over the platform's COMBOBOX class. ItemIndex is the item
// whose text the box shows, -1 when it shows none (typed text that is
// no item). OnChange runs when the pick or the typed text changes.
#pragma once
#include "framework/controls/list_control.h"

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList };
FRAME_TYPE_INFO(TComboBoxStyle);

class TComboBox : public TListControl {
    FRAME_CLASS(TComboBox, TListControl)
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    int ItemIndex() const override;
    void SetItemIndex(int value) override;
    // Lines the dropped-down list shows before it scrolls.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value);
    // In a drop-down list, text that is no item picks nothing.
    void SetComboText(const AnsiString& value);
    bool DroppedDown() const;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void SaveWindowState() override;
    void FillList() override;
    void ItemsChanged() override;
    void Dispatch(void* message) override;
    virtual void Change();

private:
    friend LRESULT CALLBACK ComboEditProc(HWND, UINT, WPARAM, LPARAM);
    bool ItemIndexStored() const { return FStyle == csDropDownList; }
    bool TextStored() const { return FStyle != csDropDownList; }

    TComboBoxStyle FStyle = csDropDown;
    bool FTyped = false;  // the box holds typed (or set) text, not a pick
    int FDropDownCount = 8;
    HWND FEdit = nullptr;
    WNDPROC FEditProc = nullptr;
};
