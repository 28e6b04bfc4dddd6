#include "Lumora.h"

#include "framework/classes/class_registry.h"
#include "framework/classes/published.h"

TForm1* Form1 = nullptr;

const TClassInfo& TForm1::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TForm1>::Creatable("TForm1", TForm::StaticClass(), [](auto& c) {
            c.Component("DDC", &TForm1::DDC);
            c.Method("FormPaint", &TForm1::FormPaint);
        });
    return info;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    // The form's resource names the component's class.
    RegisterClasses({&DirectDrawComponent::StaticClass()});
}

TForm1::~TForm1() = default;

void TForm1::AfterConstruction() {
    TForm::AfterConstruction();
    // A failure was already shown to the user; the form opens regardless.
    if (DDC) DDC->Initialize();
}

void TForm1::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (m.Msg != WM_PAINT) {
        TForm::Dispatch(message);
        return;
    }
    PAINTSTRUCT ps;
    BeginPaint(Handle(), &ps);
    EndPaint(Handle(), &ps);
    OnPaint(this);
}

void TForm1::FormPaint(TObject*) {
    if (DDC) DDC->DrawBitmapToBackground();
}
