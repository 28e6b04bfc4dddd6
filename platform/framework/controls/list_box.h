// TListBox: a list of lines to pick one from, over the platform's
// LISTBOX class. A pick by the user runs OnClick; ItemIndex is -1 while
// nothing is picked.
#pragma once
#include "framework/controls/list_control.h"

class TListBox : public TListControl {
    FRAME_CLASS(TListBox, TListControl)
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Dispatch(void* message) override;
};
