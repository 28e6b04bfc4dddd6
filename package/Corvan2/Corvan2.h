// Unit Corvan2: ready-styled edits, labels and panels. TSmallEditTwo is
// TSmallEdit of unit Corvan1 again, TBigEdit the same at 24 points and 250
// pixels wide; TSmallLabel is yellow bold 12-point Times New Roman on
// blue, TBigLabel the same at 24 points. TEmptyPanel never shows a caption
// once it has a parent or was loaded; TRadio2Panel is one of 175 by 60
// with two unchecked radio buttons of its own, made anew by its
// constructor and never stored in a form. Register puts them on the page
// "Corvan".
#pragma once
#include "Corvane/Exports.h"
#include "framework/framework.h"

class CORVANE_API TSmallEditTwo : public TEdit {
    FRAME_CLASS(TSmallEditTwo, TEdit)
public:
    explicit TSmallEditTwo(TComponent* owner);
    ~TSmallEditTwo() override;
};

class CORVANE_API TBigEdit : public TSmallEditTwo {
    FRAME_CLASS(TBigEdit, TSmallEditTwo)
public:
    explicit TBigEdit(TComponent* owner);
    ~TBigEdit() override;
};

class CORVANE_API TSmallLabel : public TLabel {
    FRAME_CLASS(TSmallLabel, TLabel)
public:
    explicit TSmallLabel(TComponent* owner);
    ~TSmallLabel() override;
};

class CORVANE_API TBigLabel : public TSmallLabel {
    FRAME_CLASS(TBigLabel, TSmallLabel)
public:
    explicit TBigLabel(TComponent* owner);
    ~TBigLabel() override;
};

class CORVANE_API TEmptyPanel : public TPanel {
    FRAME_CLASS(TEmptyPanel, TPanel)
public:
    explicit TEmptyPanel(TComponent* owner);
    ~TEmptyPanel() override;
    // Both clear the caption after the inherited work: a caption stored
    // in a form, or given before the panel had its parent, never shows.
    void Loaded() override;
    void SetParent(TWinControl* parent) override;
};

class CORVANE_API TRadio2Panel : public TEmptyPanel {
    FRAME_CLASS(TRadio2Panel, TEmptyPanel)
public:
    explicit TRadio2Panel(TComponent* owner);
    // The radio buttons go with the panel, which owns them.
    ~TRadio2Panel() override;
    TRadioButton* Radio1() const { return FRadio1; }
    TRadioButton* Radio2() const { return FRadio2; }

private:
    TRadioButton* MakeRadio(const char* caption, int left, int top);
    TRadioButton* FRadio1 = nullptr;
    TRadioButton* FRadio2 = nullptr;
};

namespace Corvan2 {
void Register();
}  // namespace Corvan2
