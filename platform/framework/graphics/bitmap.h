// TBitmap: a device-independent bitmap in a chosen pixel format, with
// its palette for 8 bits per pixel and less. Assign copies the pixels;
// it reads and writes bitmap files. Published as a property, it is stored
// as one binary value, "Prop.Data": the bitmap file. A file read is
// checked at once but its pixels are copied into the bitmap at first use:
// a form's pictures cost nothing more until they are drawn, and a form
// made and never shown never pays for them.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/graphics/graphic.h"

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
FRAME_TYPE_INFO(TPixelFormat);

class TBitmapCanvas;

class TBitmap : public TGraphic {
    FRAME_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // Resizing keeps the overlapping pixels and fills new ones with white.
    void SetWidth(int value) { SetSize(value, FHeight); }
    void SetHeight(int value) { SetSize(FWidth, value); }
    void SetSize(int width, int height);

    // pfDevice draws like the screen and is stored with 32 bits.
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat value);
    int BitsPerPixel() const;
    const std::vector<RGBQUAD>& Palette() const { return FPalette; }
    void SetPalette(const std::vector<RGBQUAD>& palette);

    TCanvas* Canvas();
    HBITMAP Handle();
    // Row y counted from the top; valid until the bitmap is remade.
    void* ScanLine(int y);
    int BytesPerRow() const;
    TColor TransparentColor();

    void Assign(const TPersistent* source) override;
    // Raises EInvalidGraphic for anything that is not a well-formed
    // bitmap file (the bitmap is then unchanged).
    void LoadFromStream(TStream& stream) override;
    void LoadFromBytes(TBytes bytes) override;
    void SaveToStream(TStream& stream) override;
    // Reads a bitmap file straight into a bitmap of this format with its
    // default palette, the pixels converted as copying the loaded file
    // into such a bitmap would, without the loaded copy in between.
    void LoadFromBytesAs(const TBytes& bytes, TPixelFormat format);
    // Reads the bitmap resource of that name in the module (a bitmap file
    // without its file header); false, the bitmap unchanged, when the
    // module has none.
    bool LoadFromResourceName(HMODULE module, const AnsiString& name);
    // "Data" also reads the bitmap file behind a 32-bit length, the way
    // binary component streams carry a bitmap.
    void DefineProperties(TFiler& filer) override;

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;

private:
    friend class TBitmapCanvas;
    // What the pixels of a remade bitmap start as: white, the old ones
    // where the sizes overlap (white elsewhere), or left for the caller,
    // who writes every one of them next.
    enum class TNewPixels { White, Kept, Overwritten };
    void Recreate(int width, int height, TPixelFormat format, std::vector<RGBQUAD> palette, TNewPixels pixels);
    void Free();
    // Checks the bitmap file that starts at bytes[start] and keeps it
    // until the first use.
    void LoadFile(TBytes bytes, size_t start);
    // Copies the pixels of the file kept, if any, into the bitmap.
    void Realize();

    HBITMAP FHandle = nullptr;
    void* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    std::vector<RGBQUAD> FPalette;
    std::unique_ptr<TBitmapCanvas> FCanvas;
    // A file read and not yet used (empty otherwise), from FPendingStart.
    TBytes FPendingFile;
    size_t FPendingStart = 0;
};
