// The demo's one form: every component of the package, made from the
// form resource TDEMOFORM once Corvane.dll is loaded, with a strip along
// the top showing the page "Corvan" as a form designer's palette shows it.
#pragma once
#include "framework/framework.h"

class TDemoForm : public TForm {
    FRAME_CLASS(TDemoForm, TForm)
public:
    explicit TDemoForm(TComponent* owner);
    ~TDemoForm() override;

    TPanel* PalettePanel = nullptr;
    void FormCreate(TObject* Sender);
};

extern TDemoForm* DemoForm;
