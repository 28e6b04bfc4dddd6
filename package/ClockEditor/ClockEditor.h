// Unit ClockEditor: the dialog of the TColorClock2 component editor. Two
// buttons pick the face colour and the background colour from the colour
// dialog and give them to the clock at once; OK only closes. Built from
// the form resource TCLOCKEDITORDIALOG.
#pragma once
#include "Clock2/Clock2.h"

class TClockEditorDialog : public TForm {
    FRAME_CLASS(TClockEditorDialog, TForm)
public:
    explicit TClockEditorDialog(TComponent* owner);
    ~TClockEditorDialog() override;

    TButton* SetFaceColorBtn = nullptr;
    TColorDialog* ColorDialog1 = nullptr;
    TButton* SetBackColorBtn = nullptr;
    TPanel* Panel1 = nullptr;
    TImage* Image1 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    void SetFaceColorBtnClick(TObject* Sender);
    void SetBackColorBtnClick(TObject* Sender);

    TColorClock2* Clock = nullptr;  // the clock being edited, not owned
};

// Shows the dialog modally for the clock, then frees it.
void ShowClockEditorDialog(TColorClock2* Clock);
