// TComboBox: a list to pick from, with a box above it that shows the pick
// (csDropDownList), or in which the user may type any text (csDropDown,
// csSimple), over the platform's COMBOBOX class. ItemIndex is the item
// whose text the box shows, -1 when it shows none (typed text that is
// no item). OnChange runs when the pick or the typed text changes.
#pragma once
#include <memory>

#include "framework/classes/strings.h"
#include "framework/controls/win_control.h"

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList };
FRAME_TYPE_INFO(TComboBoxStyle);

class TComboBox : public TWinControl {
    FRAME_CLASS(TComboBox, TWinControl)
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value) { FItems->Assign(value); }
    int ItemIndex() const;
    void SetItemIndex(int value);
    // Height of the list's lines.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);
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
    void Dispatch(void* message) override;
    virtual void Change();

private:
    friend LRESULT CALLBACK ComboEditProc(HWND, UINT, WPARAM, LPARAM);
    void ItemsChanged(TObject* sender);
    void FillList();
    int IndexOfText(const AnsiString& text) const;
    bool ItemIndexStored() const { return FStyle == csDropDownList; }
    bool TextStored() const { return FStyle != csDropDownList; }

    std::unique_ptr<TStringList> FItems;
    TComboBoxStyle FStyle = csDropDown;
    int FItemIndex = -1;
    bool FTyped = false;  // the box holds typed (or set) text, not a pick
    int FItemHeight = 13;
    int FDropDownCount = 8;
    HWND FEdit = nullptr;
    WNDPROC FEditProc = nullptr;
};
