#include "model/palette_model.h"

#include <windows.h>

#include <algorithm>

std::vector<TPaletteTab> BuildPalette() {
    std::vector<TPaletteTab> tabs;
    for (const TPaletteEntry& entry : PaletteEntries()) {
        auto tab = std::find_if(tabs.begin(), tabs.end(), [&](const TPaletteTab& t) { return t.Page == entry.Page; });
        if (tab == tabs.end()) tab = tabs.insert(tabs.end(), TPaletteTab{entry.Page, {}});
        AnsiString resource = UpperCase(entry.Class->Name());
        auto module = static_cast<HMODULE>(entry.Module);
        bool hasBitmap = module && FindResourceA(module, resource.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
        tab->Buttons.push_back({entry.Class, entry.Class->Name(), entry.Module, resource, hasBitmap});
    }
    return tabs;
}

void RegisterStandardPage() {
    RegisterComponents("Standard",
                       {&TLabel::StaticClass(), &TEdit::StaticClass(), &TButton::StaticClass(),
                        &TCheckBox::StaticClass(), &TRadioButton::StaticClass(), &TListBox::StaticClass(),
                        &TComboBox::StaticClass(), &TPanel::StaticClass(), &TBitBtn::StaticClass(),
                        &TSpeedButton::StaticClass(), &TImage::StaticClass(), &TShape::StaticClass(),
                        &TBevel::StaticClass(), &TTimer::StaticClass(), &TProgressBar::StaticClass()});
}
