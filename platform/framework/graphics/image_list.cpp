#include "framework/graphics/image_list.h"

#include "framework/classes/published.h"
#include "framework/graphics/gdi_scope.h"

const TClassInfo& TImageList::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TImageList>::Creatable("TImageList", TComponent::StaticClass(), [](auto& c) {
            c.Property("Height", &TImageList::Height, &TImageList::SetHeight).Default(16);
            c.Property("Width", &TImageList::Width, &TImageList::SetWidth).Default(16);
            c.Property("Masked", &TImageList::Masked, &TImageList::SetMasked).Default(true);
        });
    return info;
}

TImageList::TImageList(TComponent* owner)
    : TComponent(owner), FImages(std::make_unique<TBitmap>()), FMasks(std::make_unique<TBitmap>()) {}

TImageList::~TImageList() = default;

int TImageList::Count() const {
    if (FWidth <= 0 || FImages->Height() != FHeight) return 0;
    return FImages->Width() / FWidth;
}

void TImageList::SetWidth(int value) {
    if (value == FWidth) return;
    if (value < 0) throw EInvalidOperation("Invalid image size");
    FWidth = value;
    Clear();
}

void TImageList::SetHeight(int value) {
    if (value == FHeight) return;
    if (value < 0) throw EInvalidOperation("Invalid image size");
    FHeight = value;
    Clear();
}

void TImageList::Clear() {
    FImages = std::make_unique<TBitmap>();
    FMasks = std::make_unique<TBitmap>();
    Changed();
}

int TImageList::Add(TBitmap* strip, TBitmap* mask) {
    if (!strip || strip->Empty() || FWidth <= 0 || FHeight <= 0) return -1;
    int first = Count();
    int added = strip->Width() / FWidth;
    if (added == 0) throw EInvalidOperation("Image is narrower than the image list");
    int oldWidth = first * FWidth;
    int newWidth = oldWidth + added * FWidth;

    FImages->SetPixelFormat(pf16bit);
    FImages->SetSize(newWidth, FHeight);
    BitBlt(FImages->Canvas()->Handle(), oldWidth, 0, added * FWidth, FHeight, strip->Canvas()->Handle(), 0, 0,
           SRCCOPY);

    bool hadMasks = !FMasks->Empty();
    if (mask || hadMasks) {
        FMasks->SetPixelFormat(pf1bit);
        if (!hadMasks) {  // the images so far were opaque
            FMasks->SetSize(newWidth, FHeight);
            PatBlt(FMasks->Canvas()->Handle(), 0, 0, newWidth, FHeight, BLACKNESS);
        } else {
            FMasks->SetSize(newWidth, FHeight);
        }
        HDC masks = FMasks->Canvas()->Handle();
        if (mask)
            BitBlt(masks, oldWidth, 0, added * FWidth, FHeight, mask->Canvas()->Handle(), 0, 0, SRCCOPY);
        else
            PatBlt(masks, oldWidth, 0, added * FWidth, FHeight, BLACKNESS);
    }
    Changed();
    return first;
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index) {
    if (index < 0 || index >= Count()) throw EInvalidOperation(Format("Invalid image list index %d", index));
    HDC dest = canvas->Handle();
    HDC images = FImages->Canvas()->Handle();
    int sx = index * FWidth;
    if (FMasked && !FMasks->Empty()) {
        // Where the mask bit is set the destination stays as it was.
        HDC masks = FMasks->Canvas()->Handle();
        TGdiObject<HBITMAP> mono(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
        {
            TBitmapDC monoDc(mono.Handle());
            BitBlt(monoDc.Handle(), 0, 0, FWidth, FHeight, masks, sx, 0, SRCCOPY);
        }
        MaskBlt(dest, x, y, FWidth, FHeight, images, sx, 0, mono.Handle(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    } else {
        BitBlt(dest, x, y, FWidth, FHeight, images, sx, 0, SRCCOPY);
    }
}

void TImageList::GetBitmap(int index, TBitmap* bitmap) {
    if (!bitmap) return;
    if (index < 0 || index >= Count()) throw EInvalidOperation(Format("Invalid image list index %d", index));
    bitmap->SetSize(FWidth, FHeight);
    // A clean frame: what the bitmap showed before must not shine through
    // the transparent parts of the new image.
    bitmap->Canvas()->FillRect(Rect(0, 0, FWidth, FHeight));
    Draw(bitmap->Canvas(), 0, 0, index);
    bitmap->OnChange(bitmap);
}

// A strip of whole images is read straight into the list's own bitmap;
// any other goes through Add, which trims or pads it.
void TImageList::ReadStrip(const TBytes& bytes) {
    auto strip = std::make_unique<TBitmap>();
    strip->LoadFromBytesAs(bytes, pf16bit);
    FMasks = std::make_unique<TBitmap>();
    if (FWidth > 0 && strip->Height() == FHeight && strip->Width() % FWidth == 0) {
        FImages = std::move(strip);
        Changed();
    } else {
        FImages = std::make_unique<TBitmap>();
        Add(strip.get(), nullptr);
    }
}

void TImageList::ReadMask(const TBytes& bytes) {
    auto mask = std::make_unique<TBitmap>();
    mask->LoadFromBytesAs(bytes, pf1bit);
    if (mask->Width() != FImages->Width() || mask->Height() != FImages->Height())
        throw EInvalidGraphic(Format("Mask is %d x %d but the images are %d x %d", mask->Width(), mask->Height(),
                                     FImages->Width(), FImages->Height()));
    FMasks = std::move(mask);
    Changed();
}

void TImageList::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Bitmap", [this](const TBytes& b) { b.empty() ? Clear() : ReadStrip(b); }, [this] { return FImages->SaveToBytes(); },
        Count() > 0);
    filer.DefineBinaryProperty(
        "Mask", [this](const TBytes& b) { b.empty() ? FMasks->SetSize(0, 0) : ReadMask(b); },
        [this] { return FMasks->SaveToBytes(); },
        Count() > 0 && !FMasks->Empty());
}

void TImageList::Changed() { OnChange(this); }
