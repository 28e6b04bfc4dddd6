#include "windows/palette_bitmap.h"

namespace {

std::unique_ptr<TBitmap> DefaultPicture(const AnsiString& className) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(24, 24);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clSilver);
    canvas->FillRect(TRect{0, 0, 24, 24});
    canvas->Brush()->SetColor(static_cast<TColor>(RGB(255, 255, 225)));
    canvas->Rectangle(3, 3, 21, 21);
    AnsiString initial = className.size() > 1 ? className.substr(1, 1) : className;
    canvas->TextOut(8, 5, initial);
    return bitmap;
}

}  // namespace

std::unique_ptr<TBitmap> LoadPaletteBitmap(const TPaletteButton& button) {
    if (button.HasBitmap) {
        auto bitmap = std::make_unique<TBitmap>();
        if (bitmap->LoadFromResourceName(static_cast<HMODULE>(button.Module), button.BitmapResource)) return bitmap;
    }
    return DefaultPicture(button.Hint);
}
