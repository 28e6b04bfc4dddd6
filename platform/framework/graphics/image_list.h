// TImageList: equally sized images kept side by side in one strip, each
// with an optional one-bit mask (set bits are transparent). Streams as
// two bitmaps, "Bitmap" and "Mask", so a form source can name the strip
// files of its artwork.
#pragma once
#include <memory>

#include "framework/classes/component.h"
#include "framework/graphics/bitmap.h"

class TImageList : public TComponent {
    FRAME_CLASS(TImageList, TComponent)
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the image size empties the list.
    void SetWidth(int value);
    void SetHeight(int value);
    int Count() const;
    bool Masked() const { return FMasked; }
    void SetMasked(bool value) { FMasked = value; }

    // Adds every Width-wide image of the strip (and of its mask, if any);
    // returns the index of the first. Images are kept with 16 bits per pixel.
    int Add(TBitmap* strip, TBitmap* mask);
    void Clear();
    // Sizes bitmap to one image, fills it with its canvas's brush and draws
    // image index into it. EInvalidOperation for a bad index.
    void GetBitmap(int index, TBitmap* bitmap);
    void Draw(TCanvas* canvas, int x, int y, int index);

    void DefineProperties(TFiler& filer) override;
    TNotifyEvent OnChange;

private:
    void ReadStrip(const TBytes& bytes);
    void ReadMask(const TBytes& bytes);
    void Changed();

    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = true;
    std::unique_ptr<TBitmap> FImages;  // Count * Width by Height
    std::unique_ptr<TBitmap> FMasks;   // same size, one bit; absent: opaque
};
