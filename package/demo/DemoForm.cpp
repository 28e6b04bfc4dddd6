#include "DemoForm.h"

TDemoForm* DemoForm = nullptr;

const TClassInfo& TDemoForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDemoForm>::Creatable("TDemoForm", TForm::StaticClass(), [](auto& c) {
        c.Component("PalettePanel", &TDemoForm::PalettePanel);
        c.Method("FormCreate", &TDemoForm::FormCreate);
    });
    return info;
}

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {}
TDemoForm::~TDemoForm() = default;

// One button face per component on the page, its picture in the middle
// (a designer's plain face for a class without one), with the class name
// as its hint. The faces are drawn on the strip's window: sixteen windows
// of their own took a fifth of the program's start.
void TDemoForm::FormCreate(TObject*) {
    int left = 4;
    for (const TPaletteEntry& entry : PaletteEntries()) {
        if (entry.Page != "Corvan") continue;
        auto face = new TSpeedButton(this);
        face->SetParent(PalettePanel);
        face->SetBounds(left, 3, 32, 32);
        face->SetHint(entry.Class->Name());
        face->SetShowHint(true);
        TBitmap picture;
        if (picture.LoadFromResourceName(static_cast<HMODULE>(entry.Module), UpperCase(entry.Class->Name())))
            face->SetGlyph(&picture);
        else
            face->SetCaption(AnsiString(entry.Class->Name()).substr(1, 2));
        left += 34;
    }
}
