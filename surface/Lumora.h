// TForm1: the demo form. Its DirectDrawComponent takes the display to
// 800 by 600 at 8 bits when the form is made, and every paint of the form
// puts the stored background over the whole screen.
#pragma once
#include "DDComp.h"
#include "framework/forms/form.h"

class TForm1 : public TForm {
    FRAME_CLASS(TForm1, TForm)
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // The form is read from its resource (which makes DDC) before the
    // component is asked to take over the display.
    void AfterConstruction() override;

    void FormPaint(TObject* sender);

    DirectDrawComponent* DDC = nullptr;

protected:
    // The screen belongs to DirectDraw: a paint goes straight to OnPaint,
    // without the framework's off-screen buffer, whose copy to the window
    // would cover the picture just drawn.
    void Dispatch(void* message) override;
};

extern TForm1* Form1;
