// Unit Clock1: the first clock. TMyClock paints one of six shapes in a
// background colour and, while Running, writes the time of day into its
// middle every 50 ms in TextColor; TColorClock fills the shape with its
// FaceColor. The shape and the background colour live in TClockAttributes,
// streamed inside the clock as ClockAttributes.Color and .Shape. Three
// design-time editors go with them; Register puts the clocks on the page
// "Corvan".
#pragma once
#include <memory>

#include "Corvane/Exports.h"
#include "framework/framework.h"

class TMyClock;

class CORVANE_API TClockAttributes : public TPersistent {
    FRAME_CLASS(TClockAttributes, TPersistent)
public:
    // The owner is the clock to repaint when a value changes (the clock
    // passes itself); an owner that is no clock repaints nothing.
    explicit TClockAttributes(TComponent* owner);
    // Attributes of no clock: the setters only store.
    TClockAttributes();
    ~TClockAttributes() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType Value);
    TMyClock* Clock() const { return FClock; }

private:
    void Changed();

    TColor FColor = clBlack;
    TShapeType FShape = stRectangle;
    TMyClock* FClock = nullptr;  // not owned
};

class CORVANE_API TMyClock : public TCustomControl {
    FRAME_CLASS(TMyClock, TCustomControl)
public:
    explicit TMyClock(TComponent* owner);
    ~TMyClock() override;

    bool Running() const { return FRunning; }
    // Starts (or restarts) the 50 ms timer on the clock's window, making
    // the window when there is none, or stops it.
    void SetRunning(bool Value);
    TColor TextColor() const { return FTextColor; }
    // Repaints at once; the time shows in the new colour from the next tick.
    void SetTextColor(TColor Value);
    TClockAttributes* ClockAttributes() const { return FClockAttributes.get(); }
    // The clock keeps its own attribute object and copies the values of the
    // one given (whose owner keeps it); null changes nothing.
    void SetClockAttributes(TClockAttributes* Value);
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
    TColor FTextColor = clBlack;
    bool FRunning = false;
    std::unique_ptr<TClockAttributes> FClockAttributes;
};

class CORVANE_API TColorClock : public TMyClock {
    FRAME_CLASS(TColorClock, TMyClock)
public:
    explicit TColorClock(TComponent* owner);
    ~TColorClock() override;

    TColor FaceColor() const { return FFaceColor; }
    // The face colour (not the control's Color): repaints at once.
    void SetColor(TColor Value);

protected:
    void Paint() override;

private:
    TColor FFaceColor = clBlack;
};

// Double-click on a TColorClock: the face colour from the colour dialog.
// The designer is not told.
class CORVANE_API TClockEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
};

// TextColor: the colour names to pick from, and an ellipsis button that
// asks for a colour name or number as text.
class CORVANE_API TTextColorProperty : public TColorProperty {
public:
    using TColorProperty::TColorProperty;
    TPropertyAttributes GetAttributes() override;
    void Edit() override;
};

// An attribute object shown by its sub-properties alone.
class CORVANE_API TColorNameProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override;
};

namespace Clock1 {
void Register();
}  // namespace Clock1
