// Unit ClockAttributes: the dialog of the TMyClock2 ClockAttributes
// property editor. The list picks a shape, which OK gives the attribute
// object; Get Colors gives it a background colour at once. Built from the
// form resource TCLOCKATTRIBUTESDIALOG.
#pragma once
#include "Clock2/Clock2.h"

class TClockAttributesDialog : public TForm {
    FRAME_CLASS(TClockAttributesDialog, TForm)
public:
    explicit TClockAttributesDialog(TComponent* owner);
    ~TClockAttributesDialog() override;

    TPanel* Panel1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TBitBtn* GetColorsBtn = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TColorDialog* ColorDialog1 = nullptr;
    TImage* Image1 = nullptr;
    void GetColorsBtnClick(TObject* Sender);
    // OK: the shape picked in the list; with none picked (typed text that
    // is no shape) the shape stays as it was.
    void BitBtn2Click(TObject* Sender);

    TClockAttribute2* Attribute = nullptr;  // the object being edited, not owned
};

// Shows the dialog modally with the list on the attribute's shape, then
// frees it.
void ShowClockAttributesDialog(TClockAttribute2* Attribute);
