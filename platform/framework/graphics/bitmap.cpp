#include "framework/graphics/bitmap.h"

#include <algorithm>
#include <cstring>

#include "framework/classes/published.h"
#include "framework/graphics/gdi_scope.h"
#include "framework/system/delayed_imports.h"

FRAME_DEFINE_ENUM_INFO(TPixelFormat, "pfDevice", "pf1bit", "pf4bit", "pf8bit", "pf15bit", "pf16bit", "pf24bit",
                       "pf32bit")

// The bitmap's own drawing context, made on demand with the bitmap
// selected into it.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override { FreeHandle(); }

    void CreateHandle() override {
        FDC = std::make_unique<TBitmapDC>(FBitmap->Handle());
        SetHandle(FDC->Handle());
    }
    void FreeHandle() override {
        if (!FDC) return;
        SetHandle(nullptr);
        FDC.reset();
    }
    void Release() { FreeHandle(); }

private:
    TBitmap* FBitmap;
    std::unique_ptr<TBitmapDC> FDC;
};

namespace {

// Whether a context takes raster operations on colours: a display or a
// bitmap of more than 256 colours, not palette indices, nor a printer's
// or a metafile's commands.
bool TakesColourOperations(HDC dc) {
    switch (GetObjectType(dc)) {
    case OBJ_MEMDC: {
        BITMAP selected{};
        return GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof selected, &selected) && selected.bmBitsPixel > 8;
    }
    case OBJ_DC:
        return GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY &&
               GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) > 8;
    default: return false;
    }
}

// A copy that leaves out the source's pixels of one colour. The platform's
// transparent copy makes a mask and contexts at each call (0.2 ms for a
// button's picture under Wine); the same mask and three plain copies cost
// a tenth of that where the target takes them.
void CopyTransparent(HDC dest, const TRect& to, HDC source, int width, int height, COLORREF transparent) {
    int w = to.right - to.left, h = to.bottom - to.top;
    TGdiObject<HBITMAP> mask(TakesColourOperations(dest) ? CreateBitmap(width, height, 1, 1, nullptr) : nullptr);
    if (!mask.Handle()) {
        // gdi32's own (msimg32's transparent copy only forwards to it).
        GdiTransparentBlt(dest, to.left, to.top, w, h, source, 0, 0, width, height, transparent);
        return;
    }
    // White where the source has the transparent colour.
    TBitmapDC maskDC(mask.Handle());
    COLORREF sourceBack = SetBkColor(source, transparent);
    BitBlt(maskDC.Handle(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    SetBkColor(source, sourceBack);
    // Target xor source, black where the source shows, xor source again:
    // the source where it shows, the target elsewhere.
    TSaveDC saved(dest);
    SetBkColor(dest, RGB(255, 255, 255));
    SetTextColor(dest, RGB(0, 0, 0));
    SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, to.left, to.top, w, h, source, 0, 0, width, height, SRCINVERT);
    StretchBlt(dest, to.left, to.top, w, h, maskDC.Handle(), 0, 0, width, height, SRCAND);
    StretchBlt(dest, to.left, to.top, w, h, source, 0, 0, width, height, SRCINVERT);
}

struct BitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

int BitsOf(TPixelFormat format) {
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
    }
}

int StrideOf(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// A palette for a bitmap that gets fewer bits without one of its own:
// black and white, the sixteen standard colours, or a colour cube with greys.
std::vector<RGBQUAD> DefaultPalette(int bits) {
    std::vector<RGBQUAD> p;
    if (bits == 1) {
        p = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    } else if (bits == 4) {
        static const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                         0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
        for (uint32_t c : vga) p.push_back(RGBQUAD{BYTE(c & 0xFF), BYTE((c >> 8) & 0xFF), BYTE(c >> 16), 0});
    } else if (bits == 8) {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b) p.push_back(RGBQUAD{BYTE(b * 51), BYTE(g * 51), BYTE(r * 51), 0});
        for (int i = 0; p.size() < 256; ++i) {
            BYTE v = static_cast<BYTE>(i * 255 / 39);
            p.push_back(RGBQUAD{v, v, v, 0});
        }
    }
    return p;
}

void FillHeader(BitmapInfo& info, int width, int height, TPixelFormat format, const std::vector<RGBQUAD>& palette) {
    std::memset(&info, 0, sizeof info);
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(BitsOf(format));
    info.header.biCompression = BI_RGB;
    if (format == pf16bit) {
        info.header.biCompression = BI_BITFIELDS;
        auto masks = reinterpret_cast<DWORD*>(info.colors);
        masks[0] = 0xF800;
        masks[1] = 0x07E0;
        masks[2] = 0x001F;
    } else if (!palette.empty()) {
        info.header.biClrUsed = static_cast<DWORD>(palette.size());
        std::copy(palette.begin(), palette.end(), info.colors);
    }
}

// A bitmap file's header read and checked; its pixels stay in the file.
struct TBitmapFile {
    int Width;
    int Rows;
    bool TopDown;
    TPixelFormat Format;
    std::vector<RGBQUAD> Palette;
    size_t Stride;
    const uint8_t* Pixels;  // as stored: bottom-up unless TopDown
};

TBitmapFile ReadBitmapFile(const uint8_t* data, size_t size) {
    auto bad = [](const char* why) { throw EInvalidGraphic(Format("Invalid bitmap: %s", why)); };
    if (size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPCOREHEADER)) bad("too short");
    BITMAPFILEHEADER file;
    std::memcpy(&file, data, sizeof file);
    if (file.bfType != 0x4D42) bad("no bitmap signature");
    const uint8_t* p = data + sizeof file;
    size_t left = size - sizeof file;
    DWORD headerSize;
    std::memcpy(&headerSize, p, 4);
    if (headerSize > left) bad("truncated header");

    int width = 0, height = 0, bits = 0;
    DWORD compression = BI_RGB, colorsUsed = 0;
    DWORD masks[3] = {0, 0, 0};
    size_t paletteEntry = 4;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, p, sizeof core);
        width = core.bcWidth;
        height = core.bcHeight;
        bits = core.bcBitCount;
        paletteEntry = 3;
    } else if (headerSize >= sizeof(BITMAPINFOHEADER)) {
        BITMAPINFOHEADER info;
        std::memcpy(&info, p, sizeof info);
        width = info.biWidth;
        height = info.biHeight;
        bits = info.biBitCount;
        compression = info.biCompression;
        colorsUsed = info.biClrUsed;
        if (compression == BI_BITFIELDS) {
            size_t at = headerSize > sizeof(BITMAPINFOHEADER) ? sizeof(BITMAPINFOHEADER) : headerSize;
            if (at + 12 > left) bad("truncated masks");
            std::memcpy(masks, p + at, 12);
            if (headerSize == sizeof(BITMAPINFOHEADER)) headerSize += 12;
        }
    } else {
        bad("unknown header");
    }
    if (width <= 0 || height == 0 || width > 32768 || height > 32768 || height < -32768) bad("bad size");
    if (compression != BI_RGB && compression != BI_BITFIELDS) bad("compressed bitmaps are not supported");

    TPixelFormat format;
    switch (bits) {
    case 1: format = pf1bit; break;
    case 4: format = pf4bit; break;
    case 8: format = pf8bit; break;
    case 16:
        format = pf15bit;
        if (compression == BI_BITFIELDS) {
            if (masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F) format = pf16bit;
            else if (!(masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F)) bad("unsupported 16-bit masks");
        }
        break;
    case 24: format = pf24bit; break;
    case 32:
        format = pf32bit;
        if (compression == BI_BITFIELDS && !(masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF))
            bad("unsupported 32-bit masks");
        break;
    default: bad("unsupported bits per pixel");
    }

    std::vector<RGBQUAD> palette;
    if (bits <= 8) {
        size_t count = colorsUsed ? colorsUsed : (1u << bits);
        if (count > (1u << bits)) bad("palette too large");
        const uint8_t* colors = p + headerSize;
        if (headerSize + count * paletteEntry > left) bad("truncated palette");
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* c = colors + i * paletteEntry;
            palette.push_back(RGBQUAD{c[0], c[1], c[2], 0});
        }
    }
    bool topDown = height < 0;
    int rows = topDown ? -height : height;
    size_t stride = static_cast<size_t>(StrideOf(width, bits));
    if (file.bfOffBits > size || size - file.bfOffBits < stride * rows) bad("truncated pixels");

    return {width, rows, topDown, format, std::move(palette), stride, data + file.bfOffBits};
}

bool SamePalette(const std::vector<RGBQUAD>& a, const std::vector<RGBQUAD>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(RGBQUAD)) == 0;
}

// Into a bitmap of the file's own format and size, top row first.
void CopyRows(void* bits, const TBitmapFile& file) {
    GdiFlush();
    auto target = static_cast<uint8_t*>(bits);
    for (int row = 0; row < file.Rows; ++row) {
        int from = file.TopDown ? file.Rows - 1 - row : row;  // stored bottom-up
        std::memcpy(target + row * file.Stride, file.Pixels + from * file.Stride, file.Stride);
    }
}

}  // namespace

const TClassInfo& TBitmap::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBitmap>::Abstract("TBitmap", TGraphic::StaticClass());
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    FCanvas.reset();
    Free();
}

void TBitmap::Free() {
    if (FCanvas) FCanvas->Release();
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
    FBits = nullptr;
    FPendingFile = TBytes();
}

HBITMAP TBitmap::Handle() {
    Realize();
    return FHandle;
}

void TBitmap::Realize() {
    if (FPendingFile.empty()) return;
    // Out of the bitmap first: remaking it drops what it kept.
    TBytes bytes = std::move(FPendingFile);
    FPendingFile = TBytes();
    TBitmapFile file = ReadBitmapFile(bytes.data() + FPendingStart, bytes.size() - FPendingStart);
    // Its size and format are the bitmap's already; a palette set since
    // then replaces the file's, as it would have on a bitmap made at once.
    try {
        Recreate(FWidth, FHeight, FPixelFormat, FPalette, TNewPixels::Overwritten);
    } catch (...) {
        FPendingFile = std::move(bytes);  // no bitmap made: still to come
        throw;
    }
    CopyRows(FBits, file);
}

int TBitmap::BitsPerPixel() const { return BitsOf(FPixelFormat); }
int TBitmap::BytesPerRow() const { return StrideOf(FWidth, BitsPerPixel()); }

void TBitmap::Recreate(int width, int height, TPixelFormat format, std::vector<RGBQUAD> palette, TNewPixels pixels) {
    if (width < 0 || height < 0) throw EInvalidGraphic("Invalid bitmap size");
    if (pixels == TNewPixels::Kept) Realize();
    // The old bitmap is read below and cannot stay selected in the canvas.
    if (FCanvas) FCanvas->Release();
    int bits = BitsOf(format);
    if (bits <= 8 && palette.empty()) palette = DefaultPalette(bits);
    if (bits > 8) palette.clear();

    HBITMAP handle = nullptr;
    void* data = nullptr;
    if (width > 0 && height > 0) {
        BitmapInfo info;
        FillHeader(info, width, height, format, palette);
        handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &data, nullptr, 0);
        if (!handle) throw EInvalidGraphic(Format("Cannot make a %d x %d bitmap", width, height));
        if (pixels != TNewPixels::Overwritten) {
            TBitmapDC dc(handle);
            RECT all{0, 0, width, height};
            FillRect(dc.Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            if (pixels == TNewPixels::Kept && FHandle) {
                TBitmapDC from(FHandle);
                BitBlt(dc.Handle(), 0, 0, std::min(width, FWidth), std::min(height, FHeight), from.Handle(), 0, 0,
                       SRCCOPY);
            }
        }
        GdiFlush();
    }
    Free();
    FHandle = handle;
    FBits = data;
    FWidth = handle ? width : 0;  // an empty bitmap remembers no size
    FHeight = handle ? height : 0;
    FPixelFormat = format;
    FPalette = std::move(palette);
}

void TBitmap::SetSize(int width, int height) {
    if (width == FWidth && height == FHeight) return;
    Recreate(width, height, FPixelFormat, FPalette, TNewPixels::Kept);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == FPixelFormat) return;
    Recreate(FWidth, FHeight, value, BitsOf(value) == BitsPerPixel() ? FPalette : std::vector<RGBQUAD>{},
             TNewPixels::Kept);
    Changed();
}

void TBitmap::SetPalette(const std::vector<RGBQUAD>& palette) {
    if (BitsPerPixel() > 8) throw EInvalidGraphic("A bitmap with more than 8 bits per pixel has no palette");
    if (palette.empty() || palette.size() > (1u << BitsPerPixel())) throw EInvalidGraphic("Invalid palette size");
    FPalette = palette;
    if (Handle()) {
        Canvas();
        SetDIBColorTable(FCanvas->Handle(), 0, static_cast<UINT>(palette.size()), palette.data());
    }
    Changed();
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
    return FCanvas.get();
}

void* TBitmap::ScanLine(int y) {
    Realize();
    if (!FBits || y < 0 || y >= FHeight) throw EInvalidGraphic(Format("Scan line index out of range (%d)", y));
    GdiFlush();
    return static_cast<uint8_t*>(FBits) + static_cast<size_t>(FHeight - 1 - y) * BytesPerRow();
}

TColor TBitmap::TransparentColor() {
    if (Empty()) return clNone;
    return static_cast<TColor>(Canvas()->Pixels(0, FHeight - 1) & 0xFFFFFF);
}

void TBitmap::Assign(const TPersistent* source) {
    if (!source) {
        Recreate(0, 0, pfDevice, {}, TNewPixels::White);
        Changed();
        return;
    }
    if (auto other = ObjectAs<TBitmap>(const_cast<TPersistent*>(source))) {
        if (other == this) return;
        other->Realize();
        Recreate(other->FWidth, other->FHeight, other->FPixelFormat, other->FPalette,
                 other->FBits ? TNewPixels::Overwritten : TNewPixels::White);
        if (FBits && other->FBits) {
            GdiFlush();
            std::memcpy(FBits, other->FBits, static_cast<size_t>(BytesPerRow()) * FHeight);
        }
        SetTransparent(other->Transparent());
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data",
        [this](const TBytes& bytes) {
            if (bytes.empty()) return SetSize(0, 0);
            uint32_t length = 0;
            if (bytes.size() >= 6) std::memcpy(&length, bytes.data(), 4);
            const bool counted = length == bytes.size() - 4 && bytes[4] == 'B' && bytes[5] == 'M';
            LoadFile(std::move(bytes), counted ? 4 : 0);
        },
        [this] { return SaveToBytes(); }, !Empty());
}

void TBitmap::LoadFromStream(TStream& stream) { LoadFromBytes(stream.ReadRest()); }

void TBitmap::LoadFromBytes(TBytes bytes) { LoadFile(std::move(bytes), 0); }

void TBitmap::LoadFile(TBytes bytes, size_t start) {
    TBitmapFile file = ReadBitmapFile(bytes.data() + start, bytes.size() - start);
    Free();
    FWidth = file.Width;
    FHeight = file.Rows;
    FPixelFormat = file.Format;
    FPalette = std::move(file.Palette);
    FPendingFile = std::move(bytes);
    FPendingStart = start;
    Changed();
}


bool TBitmap::LoadFromResourceName(HMODULE module, const AnsiString& name) {
    HRSRC resource = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    auto bits = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bits) return false;
    DWORD size = SizeofResource(module, resource);
    // The file header in front says where the pixels start: after the
    // header and its colour table.
    DWORD headerSize = 0, colours = 0, entry = 4;
    if (size >= 4) std::memcpy(&headerSize, bits, 4);
    if (headerSize == sizeof(BITMAPCOREHEADER) && size >= headerSize) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, bits, sizeof core);
        colours = core.bcBitCount <= 8 ? 1u << core.bcBitCount : 0;
        entry = 3;
    } else if (headerSize >= sizeof(BITMAPINFOHEADER) && size >= headerSize) {
        BITMAPINFOHEADER info;
        std::memcpy(&info, bits, sizeof info);
        colours = info.biClrUsed ? info.biClrUsed : info.biBitCount <= 8 ? 1u << info.biBitCount : 0;
        if (info.biCompression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER)) colours += 3;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = static_cast<DWORD>(sizeof file + size);
    file.bfOffBits = static_cast<DWORD>(sizeof file + headerSize + colours * entry);
    TBytes bytes(sizeof file + size);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, bits, size);
    LoadFile(std::move(bytes), 0);
    return true;
}

void TBitmap::LoadFromBytesAs(const TBytes& bytes, TPixelFormat format) {
    TBitmapFile file = ReadBitmapFile(bytes.data(), bytes.size());
    int bits = BitsOf(format);
    if (file.Format == format && (bits > 8 || SamePalette(file.Palette, DefaultPalette(bits)))) {
        Recreate(file.Width, file.Rows, format, {}, TNewPixels::Overwritten);
        CopyRows(FBits, file);
    } else if (bits == 1) {
        // Colour to one bit is a copy's own rule (the background colour
        // turns white), not the nearest colour a conversion would take.
        TBitmap loaded;
        loaded.Recreate(file.Width, file.Rows, file.Format, file.Palette, TNewPixels::Overwritten);
        CopyRows(loaded.FBits, file);
        Recreate(file.Width, file.Rows, format, {}, TNewPixels::Overwritten);
        TBitmapDC from(loaded.FHandle), to(FHandle);
        BitBlt(to.Handle(), 0, 0, FWidth, FHeight, from.Handle(), 0, 0, SRCCOPY);
    } else {
        Recreate(file.Width, file.Rows, format, {}, TNewPixels::Overwritten);
        BitmapInfo source;
        FillHeader(source, file.Width, file.TopDown ? -file.Rows : file.Rows, file.Format, file.Palette);
        TBitmapDC to(FHandle);
        StretchDIBits(to.Handle(), 0, 0, FWidth, FHeight, 0, 0, FWidth, FHeight, file.Pixels,
                      reinterpret_cast<BITMAPINFO*>(&source), DIB_RGB_COLORS, SRCCOPY);
    }
    GdiFlush();
    Changed();
}

void TBitmap::SaveToStream(TStream& stream) {
    Realize();
    BitmapInfo info;
    FillHeader(info, FWidth, FHeight, FPixelFormat, FPalette);
    size_t colorBytes = FPixelFormat == pf16bit ? 12 : FPalette.size() * sizeof(RGBQUAD);
    size_t pixelBytes = static_cast<size_t>(BytesPerRow()) * FHeight;
    info.header.biSizeImage = static_cast<DWORD>(pixelBytes);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof info.header + colorBytes);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixelBytes);
    stream.WriteBuffer(&file, sizeof file);
    stream.WriteBuffer(&info.header, sizeof info.header);
    stream.WriteBuffer(info.colors, static_cast<int64_t>(colorBytes));
    if (FBits) {
        GdiFlush();
        stream.WriteBuffer(FBits, static_cast<int64_t>(pixelBytes));
    }
}

void TBitmap::Draw(TCanvas* canvas, const TRect& rect) {
    if (Empty()) return;
    HDC dest = canvas->Handle();
    HDC source = Canvas()->Handle();
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (Transparent()) {
        CopyTransparent(dest, rect, source, FWidth, FHeight, ColorToRGB(TransparentColor()));
    } else if (w == FWidth && h == FHeight) {
        BitBlt(dest, rect.left, rect.top, w, h, source, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(dest, COLORONCOLOR);
        StretchBlt(dest, rect.left, rect.top, w, h, source, 0, 0, FWidth, FHeight, SRCCOPY);
    }
}
