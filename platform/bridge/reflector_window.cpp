#include "bridge/reflector_window.h"

const TClassInfo& TReflectorWindow::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TReflectorWindow>::Creatable("TReflectorWindow", TWinControl::StaticClass(), [](auto&) {});
    return info;
}

TReflectorWindow::TReflectorWindow(TComponent* owner) : TWinControl(owner) {}

TReflectorWindow::TReflectorWindow(HWND parentWindow, TWinControl* control) : TWinControl(nullptr), FControl(control) {
    SetParentWindow(parentWindow);
    control->SetParent(this);
    SetBounds(0, 0, control->Width(), control->Height());
}

// The control is freed by its host before the reflector.
TReflectorWindow::~TReflectorWindow() = default;

void TReflectorWindow::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    if (FControl && FControl->Parent() == this) FControl->SetBounds(0, 0, width, height);
}
