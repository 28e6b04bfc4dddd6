// Widgets: small stock items on a form. A widget is a 25 by 25 control
// with a cost, a creation time and a description, drawn as a disc in a
// square; chips are widgets, and the two processors have colours of their
// own. Dragging a widget is up to the program (BeginDrag); data pallets
// accept whatever widget is dragged onto them.
#pragma once
#include <memory>

#include "Corvane/Exports.h"
#include "MyObject/MyObject.h"
#include "framework/framework.h"

class CORVANE_API TWidget : public TCustomControl {
    FRAME_CLASS(TWidget, TCustomControl)
public:
    // As a form designer or a form resource makes it: no mouse handler.
    explicit TWidget(TComponent* AOwner);
    // Made in code at a place: a press of any button shows its cost.
    TWidget(TComponent* AOwner, int X, int Y);
    ~TWidget() override;

    Currency Cost() const { return FCost; }
    void SetCost(Currency Value) { FCost = Value; }
    const AnsiString& Description() const { return FDescription; }
    void SetDescription(const AnsiString& Value) { FDescription = Value; }
    // The creation time as text in the user's date and time formats.
    AnsiString GetTimeCreated() const;
    // Raises EConvertError for text that is no date and time, keeping the
    // time it had.
    void SetTimeCreated(AnsiString Value);
    TDateTime TimeCreatedValue() const { return FTimeCreated; }

    // Shows the cost as money ("%m", the user's currency settings).
    void WidgetMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:
    void Paint() override;
    // The square and the disc inside it, in these colours.
    void PaintWidget(TColor square, TColor disc);

private:
    Currency FCost;
    TDateTime FTimeCreated;
    AnsiString FDescription;
    // Lines the widget may collect; nothing writes them yet.
    std::unique_ptr<TListHierarchy> FHierarchy = std::make_unique<TListHierarchy>();
};

class CORVANE_API TChip : public TWidget {
    FRAME_CLASS(TChip, TWidget)
public:
    explicit TChip(TComponent* AOwner);
    TChip(TComponent* AOwner, int X, int Y);
};

// A purple square with a red disc.
class CORVANE_API TPentium : public TChip {
    FRAME_CLASS(TPentium, TChip)
public:
    explicit TPentium(TComponent* AOwner);
    TPentium(TComponent* AOwner, int X, int Y);

protected:
    void Paint() override;
};

// A green square with a blue disc.
class CORVANE_API TPentiumPro : public TChip {
    FRAME_CLASS(TPentiumPro, TChip)
public:
    explicit TPentiumPro(TComponent* AOwner);
    TPentiumPro(TComponent* AOwner, int X, int Y);

protected:
    void Paint() override;
};
