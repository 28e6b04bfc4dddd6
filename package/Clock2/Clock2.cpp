#include "Clock2/Clock2.h"

#include "Clock1/ClockFace.h"
#include "ClockAttributes/ClockAttributes.h"
#include "ClockEditor/ClockEditor.h"

// --- TClockAttribute2

const TClassInfo& TClockAttribute2::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TClockAttribute2>::Abstract("TClockAttribute2", TPersistent::StaticClass(), [](auto& c) {
            c.Property("Color", &TClockAttribute2::Color, &TClockAttribute2::SetColor);
            c.Property("Shape", &TClockAttribute2::Shape, &TClockAttribute2::SetShape);
        });
    return info;
}

TClockAttribute2::TClockAttribute2(TComponent* owner) : FClock(ObjectAs<TMyClock2>(owner)) {}
TClockAttribute2::~TClockAttribute2() = default;

void TClockAttribute2::SetColor(TColor Value) {
    FColor = Value;
    Changed();
}

void TClockAttribute2::SetShape(TShapeType Value) {
    FShape = Value;
    Changed();
}

void TClockAttribute2::Changed() {
    if (FClock) FClock->Invalidate();
}

// --- TMyClock2

const TClassInfo& TMyClock2::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMyClock2>::Creatable("TMyClock2", TCustomControl::StaticClass(), [](auto& c) {
        c.Property("Running", &TMyClock2::Running, &TMyClock2::SetRunning);
        c.Publish("Align");
        c.Property("ClockAttributes", &TMyClock2::ClockAttributes, &TMyClock2::SetClockAttributes);
        c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::FontStored);
    });
    return info;
}

TMyClock2::TMyClock2(TComponent* owner) : TCustomControl(owner) {
    SetWidth(100);
    SetHeight(100);
    FClockAttributes = std::make_unique<TClockAttribute2>(this);
    FClockAttributes->SetColor(clBtnFace);
    FClockAttributes->SetShape(stEllipse);
}

TMyClock2::~TMyClock2() {
    // As TMyClock: the window goes later, without this class's handlers.
    FClockAttributes.reset();
}

void TMyClock2::SetRunning(bool Value) {
    SwitchClockTimer(Handle(), FTimerID, Value);
    FRunning = Value;
}

void TMyClock2::SetClockAttributes(TClockAttribute2* Value) {
    if (!Value || Value == FClockAttributes.get()) return;
    FClockAttributes->SetColor(Value->Color());
    FClockAttributes->SetShape(Value->Shape());
}

void TMyClock2::Paint() {
    TControl::SetColor(FClockAttributes->Color());
    DrawClockShape(*Canvas(), FClockAttributes->Shape(), Width(), Height());
}

void TMyClock2::WMTimer(TMessage&) { DrawClockTime(*Canvas(), Font(), Width(), Height()); }

void TMyClock2::WMDestroy(TMessage& Message) {
    SwitchClockTimer(Handle(), FTimerID, false);
    FTimerID = 0;
    TCustomControl::Dispatch(&Message);
}

// --- TColorClock2

const TClassInfo& TColorClock2::StaticClass() {
    static const TClassInfo info = TClassBuilder<TColorClock2>::Creatable("TColorClock2", TMyClock2::StaticClass(), [](auto& c) {
        c.Property("FaceColor", &TColorClock2::FaceColor, &TColorClock2::SetColor);
    });
    return info;
}

TColorClock2::TColorClock2(TComponent* owner) : TMyClock2(owner) { FFaceColor = clGreen; }
TColorClock2::~TColorClock2() = default;

void TColorClock2::SetColor(TColor Value) {
    FFaceColor = Value;
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TColorClock2::Paint() {
    Canvas()->Brush()->SetColor(FFaceColor);
    TMyClock2::Paint();
}

// --- The editors

void TClockEditor2::Edit() {
    if (auto clock = ObjectAs<TColorClock2>(Component())) ShowClockEditorDialog(clock);
}

TPropertyAttributes TClockAttributeProperty::GetAttributes() { return {paSubProperties, paDialog}; }

void TClockAttributeProperty::Edit() {
    auto attribute = reinterpret_cast<TClockAttribute2*>(static_cast<intptr_t>(GetOrdValue()));
    if (attribute) ShowClockAttributesDialog(attribute);
    Modified();
}

void Clock2::Register() {
    RegisterComponents("Corvan", {&TMyClock2::StaticClass(), &TColorClock2::StaticClass()});
    RegisterComponentEditor(TColorClock2::StaticClass(), ComponentEditorClass<TClockEditor2>());
    RegisterPropertyEditor(TypeInfoOf<TClockAttribute2*>(), &TMyClock2::StaticClass(), "ClockAttributes",
                           PropertyEditorClass<TClockAttributeProperty>());
}
