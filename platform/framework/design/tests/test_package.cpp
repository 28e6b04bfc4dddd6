// A tiny framework package for the package tests: unit Gadgets puts a
// component of its own and a framework class on the page "Testing" and
// registers editors; unit Plain registers nothing. Every unit says on the
// debugger output when it initializes, registers and finalizes.
#include <windows.h>

#include "framework/framework.h"

namespace {

class TGadget : public TComponent {
    FRAME_CLASS(TGadget, TComponent)
public:
    using TComponent::TComponent;
    int FSize = 0;
};

const TClassInfo& TGadget::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGadget>::Creatable("TGadget", TComponent::StaticClass(), [](auto& c) {
        c.Property("Size", &TGadget::FSize);
    });
    return info;
}

// Double-click: one size bigger.
class TGadgetEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 1; }
    AnsiString GetVerb(int) override { return "Grow"; }
    void ExecuteVerb(int) override {
        ++static_cast<TGadget*>(Component())->FSize;
        Designer()->Modified();
    }
};

// The ellipsis button makes the gadget big.
class TGadgetSizeProperty : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
    TPropertyAttributes GetAttributes() override { return TIntegerProperty::GetAttributes() << paDialog; }
    void Edit() override { SetOrdValue(100); }
};

// A package editor for a framework class: it must go with the package.
class TTimerEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 1; }
    AnsiString GetVerb(int) override { return "Tick"; }
};

}  // namespace

namespace Gadgets {
void Initialization() { OutputDebugStringA("Gadgets initialized"); }
void Finalization() { OutputDebugStringA("Gadgets finalized"); }
void Register() {
    RegisterComponents("Testing", {&TGadget::StaticClass(), &TTimer::StaticClass()});
    RegisterComponentEditor(TGadget::StaticClass(), ComponentEditorClass<TGadgetEditor>());
    RegisterComponentEditor(TTimer::StaticClass(), ComponentEditorClass<TTimerEditor>());
    RegisterPropertyEditor(TypeInfoOf<int>(), &TGadget::StaticClass(), "Size", PropertyEditorClass<TGadgetSizeProperty>());
    // For the test of a failing registration.
    if (GetEnvironmentVariableA("TEST_PACKAGE_REFUSES", nullptr, 0)) throw EComponentError("the gadgets refuse");
    OutputDebugStringA("Gadgets registered");
}
}  // namespace Gadgets

namespace Plain {
void Initialization() { OutputDebugStringA("Plain initialized"); }
void Finalization() { OutputDebugStringA("Plain finalized"); }
}  // namespace Plain

static const TPackageUnit units[] = {{"Gadgets", Gadgets::Initialization, Gadgets::Finalization},
                                     {"Plain", Plain::Initialization, Plain::Finalization}};
static const TPackageInfo package{units};
FRAME_PACKAGE(package)
FRAME_PACKAGE_REGISTER(Gadgets)
