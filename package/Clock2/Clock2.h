// Unit Clock2: the second clock. TMyClock2 paints and ticks as TMyClock of
// unit Clock1 but writes the time in its Font's own colour; TColorClock2
// adds the face colour. Its editors open dialogs: double-clicking a
// TColorClock2 shows the clock editor dialog (unit ClockEditor), the
// ellipsis button of ClockAttributes the attributes dialog (unit
// ClockAttributes). Register puts the clocks on the page "Corvan".
#pragma once
#include <memory>

#include "Corvane/Exports.h"
#include "framework/framework.h"

class TMyClock2;

class CORVANE_API TClockAttribute2 : public TPersistent {
    FRAME_CLASS(TClockAttribute2, TPersistent)
public:
    // The owner is the clock to repaint (the clock passes itself); an
    // owner that is no clock repaints nothing.
    explicit TClockAttribute2(TComponent* owner);
    ~TClockAttribute2() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType Value);
    TMyClock2* Clock() const { return FClock; }

private:
    void Changed();

    TColor FColor = clBlack;
    TShapeType FShape = stRectangle;
    TMyClock2* FClock = nullptr;  // not owned
};

class CORVANE_API TMyClock2 : public TCustomControl {
    FRAME_CLASS(TMyClock2, TCustomControl)
public:
    explicit TMyClock2(TComponent* owner);
    // Frees the attribute object, which the clock owns.
    ~TMyClock2() override;

    bool Running() const { return FRunning; }
    void SetRunning(bool Value);
    TClockAttribute2* ClockAttributes() const { return FClockAttributes.get(); }
    // Copies the values of the object given; null changes nothing.
    void SetClockAttributes(TClockAttribute2* Value);
    int TimerID() const { return FTimerID; }

    void WMTimer(TMessage& Message);
    void WMDestroy(TMessage& Message);
    FRAME_BEGIN_MESSAGE_MAP
        FRAME_MESSAGE_HANDLER(WM_DESTROY, WMDestroy)
        FRAME_MESSAGE_HANDLER(WM_TIMER, WMTimer)
    FRAME_END_MESSAGE_MAP(TCustomControl)

protected:
    void Paint() override;

private:
    int32_t FTimerID = 1;
    bool FRunning = false;
    std::unique_ptr<TClockAttribute2> FClockAttributes;
};

class CORVANE_API TColorClock2 : public TMyClock2 {
    FRAME_CLASS(TColorClock2, TMyClock2)
public:
    explicit TColorClock2(TComponent* owner);
    ~TColorClock2() override;

    TColor FaceColor() const { return FFaceColor; }
    // The face colour: repaints at once.
    void SetColor(TColor Value);

protected:
    void Paint() override;

private:
    TColor FFaceColor = clBlack;
};

// Double-click on a TColorClock2: the clock editor dialog. The designer
// is not told.
class CORVANE_API TClockEditor2 : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
};

// ClockAttributes: Color and Shape as sub-properties, and an ellipsis
// button that opens the attributes dialog, after which the designer
// always hears that the form changed.
class CORVANE_API TClockAttributeProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override;
    void Edit() override;
};

namespace Clock2 {
void Register();
}  // namespace Clock2
