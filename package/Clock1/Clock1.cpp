#include "Clock1/Clock1.h"

#include "Clock1/ClockFace.h"
#include "Types/Types.h"

// --- TClockAttributes

const TClassInfo& TClockAttributes::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TClockAttributes>::Abstract("TClockAttributes", TPersistent::StaticClass(), [](auto& c) {
            c.Property("Color", &TClockAttributes::Color, &TClockAttributes::SetColor);
            c.Property("Shape", &TClockAttributes::Shape, &TClockAttributes::SetShape);
        });
    return info;
}

TClockAttributes::TClockAttributes(TComponent* owner) : FClock(ObjectAs<TMyClock>(owner)) {}
TClockAttributes::TClockAttributes() = default;
TClockAttributes::~TClockAttributes() = default;

void TClockAttributes::SetColor(TColor Value) {
    FColor = Value;
    Changed();
}

void TClockAttributes::SetShape(TShapeType Value) {
    FShape = Value;
    Changed();
}

void TClockAttributes::Changed() {
    if (FClock) FClock->Invalidate();
}

// --- TMyClock

const TClassInfo& TMyClock::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMyClock>::Creatable("TMyClock", TCustomControl::StaticClass(), [](auto& c) {
        c.Property("Running", &TMyClock::Running, &TMyClock::SetRunning);
        c.Publish("Align");
        c.Property("ClockAttributes", &TMyClock::ClockAttributes, &TMyClock::SetClockAttributes);
        c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::FontStored);
        c.Property("TextColor", &TMyClock::TextColor, &TMyClock::SetTextColor);
    });
    return info;
}

TMyClock::TMyClock(TComponent* owner) : TCustomControl(owner) {
    SetWidth(100);
    SetHeight(100);
    FClockAttributes = std::make_unique<TClockAttributes>(this);
    FClockAttributes->SetColor(clBtnFace);
    FClockAttributes->SetShape(stEllipse);
}

TMyClock::~TMyClock() {
    // The window goes in the inherited destructor, after this class's
    // handlers are gone, so nothing paints with the freed attributes.
    FClockAttributes.reset();
}

void TMyClock::SetRunning(bool Value) {
    SwitchClockTimer(Handle(), FTimerID, Value);
    FRunning = Value;
}

void TMyClock::SetTextColor(TColor Value) {
    FTextColor = Value;
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TMyClock::SetClockAttributes(TClockAttributes* Value) {
    if (!Value || Value == FClockAttributes.get()) return;
    FClockAttributes->SetColor(Value->Color());
    FClockAttributes->SetShape(Value->Shape());
}

void TMyClock::Paint() {
    TControl::SetColor(FClockAttributes->Color());
    DrawClockShape(*Canvas(), FClockAttributes->Shape(), Width(), Height());
}

void TMyClock::WMTimer(TMessage&) {
    Font()->SetColor(FTextColor);
    DrawClockTime(*Canvas(), Font(), Width(), Height());
}

void TMyClock::WMDestroy(TMessage& Message) {
    SwitchClockTimer(Handle(), FTimerID, false);
    FTimerID = 0;
    TCustomControl::Dispatch(&Message);
}

// --- TColorClock

const TClassInfo& TColorClock::StaticClass() {
    static const TClassInfo info = TClassBuilder<TColorClock>::Creatable("TColorClock", TMyClock::StaticClass(), [](auto& c) {
        c.Property("FaceColor", &TColorClock::FaceColor, &TColorClock::SetColor);
    });
    return info;
}

TColorClock::TColorClock(TComponent* owner) : TMyClock(owner) { FFaceColor = clGreen; }
TColorClock::~TColorClock() = default;

void TColorClock::SetColor(TColor Value) {
    FFaceColor = Value;
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TColorClock::Paint() {
    Canvas()->Brush()->SetColor(FFaceColor);
    TMyClock::Paint();
}

// --- The editors

void TClockEditor::Edit() {
    auto clock = ObjectAs<TColorClock>(Component());
    if (!clock) return;
    // A dialog of the application's for this one call; freed afterwards
    // rather than left with the application until the program ends.
    std::unique_ptr<TColorDialog> dialog(new TColorDialog(Application));
    if (dialog->Execute()) clock->SetColor(dialog->Color());
}

TPropertyAttributes TTextColorProperty::GetAttributes() { return {paValueList, paDialog, paMultiSelect}; }

void TTextColorProperty::Edit() {
    AnsiString value = "clBlack";
    if (InputQuery("New Color", "Enter Color", value)) SetValue(value);
}

TPropertyAttributes TColorNameProperty::GetAttributes() { return {paSubProperties}; }

void Clock1::Register() {
    RegisterComponents("Corvan", {&TMyClock::StaticClass(), &TColorClock::StaticClass()});
    RegisterComponentEditor(TColorClock::StaticClass(), ComponentEditorClass<TClockEditor>());
    RegisterPropertyEditor(TypeInfoOf<TClockAttributes*>(), &TMyClock::StaticClass(), "Colors",
                           PropertyEditorClass<TColorNameProperty>());
    RegisterPropertyEditor(GetColorTypeInfo(), &TMyClock::StaticClass(), "TextColor",
                           PropertyEditorClass<TTextColorProperty>());
}
