#include "Corvan1/Corvan1.h"

#include "Corvan1/Presets.h"

const TClassInfo& TSmallEdit::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSmallEdit>::Creatable("TSmallEdit", TEdit::StaticClass());
    return info;
}

TSmallEdit::TSmallEdit(TComponent* owner) : TEdit(owner) { ApplySmallPreset(*this, fsBold | fsItalic); }
TSmallEdit::~TSmallEdit() = default;

void Corvan1::Register() { RegisterComponents("Corvan", {&TSmallEdit::StaticClass()}); }
