#include "windows/palette_bitmap.h"

#include <cstring>

namespace {

// A bitmap resource is a bitmap file without its file header.
std::unique_ptr<TBitmap> FromResource(HMODULE module, const AnsiString& name) {
    HRSRC resource = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!resource) return nullptr;
    auto info = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    DWORD size = SizeofResource(module, resource);
    auto header = reinterpret_cast<const BITMAPINFOHEADER*>(info);
    DWORD colours = header->biClrUsed ? header->biClrUsed : header->biBitCount <= 8 ? 1u << header->biBitCount : 0;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfSize = static_cast<DWORD>(sizeof file + size);
    file.bfOffBits = static_cast<DWORD>(sizeof file + header->biSize + colours * sizeof(RGBQUAD));
    TBytes bytes(sizeof file + size);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, info, size);
    TMemoryStream stream(std::move(bytes));
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(stream);
    return bitmap;
}

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
    if (button.HasBitmap)
        if (auto bitmap = FromResource(static_cast<HMODULE>(button.Module), button.BitmapResource)) return bitmap;
    return DefaultPicture(button.Hint);
}
