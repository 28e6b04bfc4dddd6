#include "DemoForm.h"

#include <cstring>

TDemoForm* DemoForm = nullptr;

namespace {

// The palette picture of a class: the bitmap resource named after it in
// the module that registered it, as a bitmap file's bytes; none when the
// module has no picture for it.
TBytes PaletteBitmapFile(const TPaletteEntry& entry) {
    auto module = static_cast<HMODULE>(entry.Module);
    AnsiString name = UpperCase(entry.Class->Name());
    HRSRC resource = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!resource) return {};
    auto bits = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    DWORD size = SizeofResource(module, resource);
    auto info = reinterpret_cast<const BITMAPINFOHEADER*>(bits);
    DWORD colours = info->biClrUsed ? info->biClrUsed : (info->biBitCount <= 8 ? 1u << info->biBitCount : 0u);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = sizeof file + size;
    file.bfOffBits = sizeof file + info->biSize + colours * sizeof(RGBQUAD);
    TBytes out(sizeof file + size);
    std::memcpy(out.data(), &file, sizeof file);
    std::memcpy(out.data() + sizeof file, bits, size);
    return out;
}

}  // namespace

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
// as its hint.
void TDemoForm::FormCreate(TObject*) {
    int left = 4;
    for (const TPaletteEntry& entry : PaletteEntries()) {
        if (entry.Page != "Corvan") continue;
        auto face = new TPanel(this);
        face->SetParent(PalettePanel);
        face->SetBounds(left, 3, 32, 32);
        face->SetHint(entry.Class->Name());
        face->SetShowHint(true);
        TBytes file = PaletteBitmapFile(entry);
        if (!file.empty()) {
            auto picture = new TImage(this);
            picture->SetParent(face);
            picture->Picture()->LoadFromBytes(file);
            picture->SetBounds((32 - picture->Picture()->Width()) / 2, (32 - picture->Picture()->Height()) / 2,
                               picture->Picture()->Width(), picture->Picture()->Height());
        } else {
            face->SetCaption(AnsiString(entry.Class->Name()).substr(1, 2));
        }
        left += 34;
    }
}
