// The component palette: one tab per page of the framework's palette, in
// the order the pages first appear, one button per class with the class
// name as its hint and, when the class's module has one, the bitmap named
// after the class in upper case (else the view draws a default picture).
#pragma once
#include <vector>

#include "framework/framework.h"

struct TPaletteButton {
    const TClassInfo* Class;
    AnsiString Hint;
    void* Module;               // where the bitmap is, when HasBitmap
    AnsiString BitmapResource;  // "TMYCLOCK"
    bool HasBitmap;
};

struct TPaletteTab {
    AnsiString Page;
    std::vector<TPaletteButton> Buttons;
};

std::vector<TPaletteTab> BuildPalette();

// The framework's own controls on the page "Standard"; once per program.
void RegisterStandardPage();
