// Graphics checked pixel by pixel in memory bitmaps: canvas drawing,
// bitmap formats, palettes and files, Assign, image lists with masks.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/framework.h"
#include "framework/graphics/paint_buffer.h"

namespace {

uint32_t PixelAt(TBitmap& b, int x, int y) { return static_cast<uint32_t>(b.Canvas()->Pixels(x, y)) & 0xFFFFFF; }

TEST(Canvas, DrawsShapesWithItsPenAndBrush) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(40, 30);
    EXPECT_EQ(PixelAt(b, 0, 0), 0xFFFFFFu);  // a new bitmap is white
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clRed);
    c->Pen()->SetColor(clBlue);
    c->Rectangle(2, 2, 12, 12);
    EXPECT_EQ(PixelAt(b, 2, 2), 0xFF0000u);    // pen on the edge (BGR in TColor)
    EXPECT_EQ(PixelAt(b, 6, 6), 0x0000FFu);    // brush inside
    EXPECT_EQ(PixelAt(b, 12, 12), 0xFFFFFFu);  // right and bottom edges excluded

    c->Brush()->SetColor(clLime);
    c->Pen()->SetStyle(psClear);
    c->Ellipse(20, 0, 40, 20);
    EXPECT_EQ(PixelAt(b, 30, 10), 0x00FF00u);
    EXPECT_EQ(PixelAt(b, 20, 0), 0xFFFFFFu);  // outside the ellipse's curve

    c->Pen()->SetStyle(psSolid);
    c->Brush()->SetColor(clFuchsia);
    c->RoundRect(0, 14, 16, 24, 8, 8);
    EXPECT_EQ(PixelAt(b, 8, 19), 0xFF00FFu);
    EXPECT_EQ(PixelAt(b, 0, 14), 0xFFFFFFu);  // the corner is rounded off

    c->Brush()->SetColor(clBlack);
    c->FillRect(Rect(0, 25, 40, 30));
    EXPECT_EQ(PixelAt(b, 39, 29), 0u);
    c->SetPixels(1, 1, clYellow);
    EXPECT_EQ(PixelAt(b, 1, 1), 0x00FFFFu);
}

TEST(Canvas, MeasuresAndWritesTextInItsFont) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(100, 40);
    TCanvas* c = b.Canvas();
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-16);
    int narrow = c->TextWidth("i");
    int wide = c->TextWidth("WWWW");
    EXPECT_GT(wide, narrow * 2);
    EXPECT_GE(c->TextHeight("Wg"), 16);
    c->Font()->SetColor(clBlack);
    c->TextOut(2, 2, "WWWW");
    int dark = 0;
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 40; ++y) dark += PixelAt(b, x, y) == 0 ? 1 : 0;
    EXPECT_GT(dark, 20);
}

TEST(Bitmap, KeepsAnEightBitPaletteThroughAFileAndAssign) {
    TBitmap b;
    b.SetPixelFormat(pf8bit);
    b.SetSize(5, 3);
    std::vector<RGBQUAD> palette(256, RGBQUAD{0, 0, 0, 0});
    palette[1] = RGBQUAD{0x10, 0x80, 0x20, 0};  // a greenish earth
    b.SetPalette(palette);
    static_cast<uint8_t*>(b.ScanLine(0))[4] = 1;

    TBytes file = b.SaveToBytes();
    TBitmap read;
    read.LoadFromBytes(file);
    EXPECT_EQ(read.PixelFormat(), pf8bit);
    EXPECT_EQ(read.Width(), 5);
    EXPECT_EQ(read.Height(), 3);
    ASSERT_EQ(read.Palette().size(), 256u);
    EXPECT_EQ(read.Palette()[1].rgbGreen, 0x80);
    EXPECT_EQ(static_cast<uint8_t*>(read.ScanLine(0))[4], 1);
    EXPECT_EQ(PixelAt(read, 4, 0), 0x108020u);  // blue 0x10, green 0x80, red 0x20

    TBitmap copy;
    copy.Assign(&read);
    static_cast<uint8_t*>(read.ScanLine(0))[4] = 0;  // the copy has pixels of its own
    EXPECT_EQ(static_cast<uint8_t*>(copy.ScanLine(0))[4], 1);
    EXPECT_EQ(copy.SaveToBytes(), file);
}

// A file read is kept until the bitmap's first use; every first use
// must see the file's pixels, and a later read replace them, even where
// the bitmap's context is already made.
TEST(Bitmap, AFileReadShowsAtItsFirstUseWhateverThatIs) {
    TBitmap source;
    source.SetPixelFormat(pf8bit);
    source.SetSize(4, 2);
    std::vector<RGBQUAD> palette(256, RGBQUAD{0xFF, 0xFF, 0xFF, 0});  // white, for new pixels
    palette[2] = RGBQUAD{0xFF, 0, 0, 0};                              // blue
    source.SetPalette(palette);
    static_cast<uint8_t*>(source.ScanLine(1))[3] = 2;
    const TBytes file = source.SaveToBytes();

    TBitmap assigned, copied, resized, repainted, saved;
    for (TBitmap* b : {&assigned, &copied, &resized, &repainted, &saved}) b->LoadFromBytes(file);
    copied.Assign(&assigned);
    EXPECT_EQ(PixelAt(copied, 3, 1), 0xFF0000u);
    resized.SetSize(5, 2);
    EXPECT_EQ(PixelAt(resized, 3, 1), 0xFF0000u);
    EXPECT_EQ(PixelAt(resized, 4, 1), 0xFFFFFFu);
    palette[2] = RGBQUAD{0, 0xFF, 0, 0};  // the file's index, a new colour
    repainted.SetPalette(palette);
    EXPECT_EQ(PixelAt(repainted, 3, 1), 0x00FF00u);
    EXPECT_EQ(saved.SaveToBytes(), file);

    TBitmap white;
    white.SetSize(4, 2);
    repainted.LoadFromBytes(white.SaveToBytes());  // over a bitmap whose context is made
    EXPECT_EQ(PixelAt(repainted, 3, 1), 0xFFFFFFu);
}

TEST(Bitmap, ResizingKeepsPixelsAndWhitensNewOnes) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(2, 2);
    b.Canvas()->SetPixels(1, 1, clRed);
    b.SetSize(4, 4);
    EXPECT_EQ(PixelAt(b, 1, 1), 0x0000FFu);
    EXPECT_EQ(PixelAt(b, 3, 3), 0xFFFFFFu);
}

TEST(Bitmap, RejectsMalformedFilesAndStaysAsItWas) {
    TBitmap b;
    b.SetSize(3, 3);
    TBytes good = b.SaveToBytes();
    TBytes truncated(good.begin(), good.begin() + 60);
    TBytes huge = good;
    int32_t width = 1 << 30;
    std::memcpy(huge.data() + 18, &width, 4);
    for (const TBytes& bad : {TBytes{'B', 'M'}, truncated, huge, TBytes(100, 0)}) {
        EXPECT_THROW(b.LoadFromBytes(bad), EInvalidGraphic);
        EXPECT_EQ(b.Width(), 3);
    }
    TIcon icon;
    EXPECT_THROW(icon.LoadFromBytes(TBytes{0, 0, 1, 0, 1, 0}), EInvalidGraphic);
}

// Bitmap resources are files without their file header: written into a
// copy of this program, 8 bits with a short colour table and 24 bits read
// back as the files they came from; a missing name changes nothing.
TEST(Bitmap, ReadsBitmapResourcesAsTheFilesTheyCameFrom) {
    TBitmap eight;
    eight.SetPixelFormat(pf8bit);
    eight.SetSize(5, 3);
    std::vector<RGBQUAD> palette(256, RGBQUAD{0, 0, 0, 0});
    palette[2] = RGBQUAD{0x10, 0x80, 0x20, 0};
    eight.SetPalette(palette);
    static_cast<uint8_t*>(eight.ScanLine(1))[3] = 2;
    TBytes eightFile = eight.SaveToBytes();
    // Only the colours used listed, as resource compilers may write them.
    TBytes shortTable(eightFile.begin(), eightFile.begin() + 54 + 3 * 4);
    DWORD used = 3;
    std::memcpy(shortTable.data() + 14 + 32, &used, 4);
    std::copy(eightFile.begin() + 54 + 256 * 4, eightFile.end(), std::back_inserter(shortTable));
    TBitmap wide;
    wide.SetPixelFormat(pf24bit);
    wide.SetSize(4, 2);
    wide.Canvas()->SetPixels(3, 1, clRed);
    TBytes wideFile = wide.SaveToBytes();

    char self[MAX_PATH], folder[MAX_PATH], copy[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "res", 0, copy);
    ASSERT_TRUE(CopyFileA(self, copy, FALSE));
    HANDLE update = BeginUpdateResourceA(copy, FALSE);
    ASSERT_NE(update, nullptr);
    for (auto [name, file] : {std::pair{"EIGHT", &shortTable}, std::pair{"WIDE", &wideFile}})
        ASSERT_TRUE(UpdateResourceA(update, MAKEINTRESOURCEA(2), name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                    file->data() + 14, static_cast<DWORD>(file->size() - 14)));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
    HMODULE module = LoadLibraryExA(copy, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);

    TBitmap read;
    ASSERT_TRUE(read.LoadFromResourceName(module, "EIGHT"));
    EXPECT_EQ(read.PixelFormat(), pf8bit);
    EXPECT_EQ(static_cast<uint8_t*>(read.ScanLine(1))[3], 2);
    EXPECT_EQ(PixelAt(read, 3, 1), 0x108020u);
    ASSERT_TRUE(read.LoadFromResourceName(module, "WIDE"));
    EXPECT_EQ(read.SaveToBytes(), wideFile);
    EXPECT_FALSE(read.LoadFromResourceName(module, "NONE"));
    EXPECT_EQ(read.Width(), 4);
    FreeLibrary(module);
    DeleteFileA(copy);
}

TEST(Bitmap, DrawsItselfOnAnotherCanvasAndStretches) {
    TBitmap small;
    small.SetPixelFormat(pf24bit);
    small.SetSize(2, 2);
    small.Canvas()->SetPixels(0, 0, clRed);
    TBitmap big;
    big.SetPixelFormat(pf24bit);
    big.SetSize(10, 10);
    big.Canvas()->StretchDraw(Rect(0, 0, 10, 10), &small);
    EXPECT_EQ(PixelAt(big, 4, 4), 0x0000FFu);
    EXPECT_EQ(PixelAt(big, 6, 6), 0xFFFFFFu);
    big.Canvas()->Draw(8, 8, &small);
    EXPECT_EQ(PixelAt(big, 8, 8), 0x0000FFu);
}

// A transparent picture leaves out its bottom-left pixel's colour, drawn
// as it is and stretched.
TEST(Bitmap, DrawsTransparentlyAsItIsAndStretched) {
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(4, 4);
    picture.Canvas()->Brush()->SetColor(clLime);
    picture.Canvas()->FillRect(Rect(0, 0, 4, 4));
    picture.Canvas()->Brush()->SetColor(clFuchsia);
    picture.Canvas()->FillRect(Rect(0, 0, 1, 4));
    picture.SetTransparent(true);
    TBitmap target;
    target.SetPixelFormat(pf32bit);
    target.SetSize(10, 10);
    target.Canvas()->Brush()->SetColor(clBlue);
    target.Canvas()->FillRect(Rect(0, 0, 10, 10));
    target.Canvas()->Draw(2, 1, &picture);
    target.Canvas()->StretchDraw(Rect(0, 6, 8, 10), &picture);
    EXPECT_EQ(PixelAt(target, 2, 1), static_cast<uint32_t>(clBlue)) << "the left column is left out";
    EXPECT_EQ(PixelAt(target, 3, 1), static_cast<uint32_t>(clLime));
    EXPECT_EQ(PixelAt(target, 5, 4), static_cast<uint32_t>(clLime));
    EXPECT_EQ(PixelAt(target, 6, 1), static_cast<uint32_t>(clBlue)) << "beside the picture";
    EXPECT_EQ(PixelAt(target, 1, 9), static_cast<uint32_t>(clBlue)) << "the stretched left column is left out";
    EXPECT_EQ(PixelAt(target, 2, 6), static_cast<uint32_t>(clLime));
    EXPECT_EQ(PixelAt(target, 7, 9), static_cast<uint32_t>(clLime));
}

// A strip of two 4x4 images, red and blue; the mask hides the left
// column of each (set bits are transparent).
void MakeStrip(TBitmap& strip, TBitmap& mask) {
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(8, 4);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(Rect(0, 0, 4, 4));
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(Rect(4, 0, 8, 4));
    mask.SetPixelFormat(pf24bit);
    mask.SetSize(8, 4);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 0, 8, 4));
    mask.Canvas()->Brush()->SetColor(clWhite);
    mask.Canvas()->FillRect(Rect(0, 0, 1, 4));
    mask.Canvas()->FillRect(Rect(4, 0, 5, 4));
}

TEST(ImageList, GivesEachImageThroughItsMask) {
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    TBitmap strip, mask;
    MakeStrip(strip, mask);
    EXPECT_EQ(list.Add(&strip, &mask), 0);
    EXPECT_EQ(list.Count(), 2);

    TBitmap frame;
    frame.SetPixelFormat(pf24bit);
    frame.SetSize(4, 4);
    frame.Canvas()->Brush()->SetColor(clLime);
    list.GetBitmap(1, &frame);
    EXPECT_EQ(PixelAt(frame, 2, 2), 0xFF0000u);  // blue image (BGR)
    EXPECT_EQ(PixelAt(frame, 0, 2), 0x00FF00u);  // masked: the bitmap's brush
    list.GetBitmap(0, &frame);
    EXPECT_EQ(PixelAt(frame, 3, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(frame, 0, 0), 0x00FF00u);  // not the blue of the frame before

    TBitmap sized;  // an empty bitmap takes the image size
    list.GetBitmap(0, &sized);
    EXPECT_EQ(sized.Width(), 4);
    EXPECT_EQ(sized.Height(), 4);
    EXPECT_THROW(list.GetBitmap(2, &frame), EInvalidOperation);
}

TEST(ImageList, StreamsItsStripAndMaskThroughAForm) {
    RegisterClasses({&TImageList::StaticClass()});
    TComponent owner(nullptr);
    auto* list = new TImageList(&owner);
    list->SetName("Frames");
    list->SetWidth(4);
    list->SetHeight(4);
    TBitmap strip, mask;
    MakeStrip(strip, mask);
    list->Add(&strip, &mask);
    owner.SetName("Owner");
    // TComponent writes no children of its own: write the list itself.
    AnsiString text = WriteFormText(list);
    EXPECT_NE(text.find("Bitmap = hex{"), AnsiString::npos);
    EXPECT_NE(text.find("Mask = hex{"), AnsiString::npos);

    TImageList copy(nullptr);
    ReadFormText(&copy, text, "FRAMES");
    EXPECT_EQ(copy.Count(), 2);
    TBitmap frame;
    frame.SetPixelFormat(pf24bit);
    frame.SetSize(4, 4);
    copy.GetBitmap(1, &frame);
    EXPECT_EQ(PixelAt(frame, 2, 2), 0xFF0000u);
    EXPECT_EQ(PixelAt(frame, 0, 2), 0xFFFFFFu);
}

// Artwork files come in their own formats (24-bit strips, masks of any
// depth): read from a form, they must give the very list Add builds.
TEST(ImageList, ReadsStripFilesOfAnyFormatAsAddKeepsThem) {
    RegisterClasses({&TImageList::StaticClass()});
    TImageList built(nullptr);
    built.SetName("Frames");
    built.SetWidth(4);
    built.SetHeight(4);
    TBitmap strip, mask;
    MakeStrip(strip, mask);
    strip.Canvas()->SetPixels(1, 1, TColor(0x3F7F9F));  // a colour 16 bits cannot keep exactly
    mask.Canvas()->SetPixels(2, 2, TColor(0xC0C0C0));  // grey: neither black nor white
    built.Add(&strip, &mask);
    AnsiString text = WriteFormText(&built);

    auto hexOf = [](TBitmap& b) {
        static const char digits[] = "0123456789ABCDEF";
        AnsiString hex;
        for (uint8_t byte : b.SaveToBytes()) {
            hex += digits[byte >> 4];
            hex += digits[byte & 15];
        }
        return hex;
    };
    auto replaceHex = [](AnsiString& t, const char* property, const AnsiString& hex) {
        size_t at = t.find(AnsiString(property) + " = hex{");
        ASSERT_NE(at, AnsiString::npos);
        at = t.find('{', at) + 1;
        t.replace(at, t.find('}', at) - at, hex);
    };
    AnsiString files = text;
    replaceHex(files, "Bitmap", hexOf(strip));
    replaceHex(files, "Mask", hexOf(mask));
    ASSERT_NE(files, text);

    TImageList read(nullptr);
    ReadFormText(&read, files, "FRAMES");
    EXPECT_EQ(WriteFormText(&read), text);
}

}  // namespace

TEST(PaintBuffer, PaintsOneAfterAnotherShareABitmapThatStartsClean) {
    HDC screen = GetDC(nullptr);
    HDC first = nullptr;
    {
        TPaintBuffer paint(screen, 120, 40);
        first = paint.Handle();
        // A paint that leaves its context changed...
        SetViewportOrgEx(first, -30, -7, nullptr);
        SelectObject(first, GetStockObject(BLACK_BRUSH));
        // ...and a paint inside it, which gets a bitmap of its own.
        TPaintBuffer inner(screen, 10, 10);
        EXPECT_NE(inner.Handle(), first);
    }
    {
        TPaintBuffer next(screen, 60, 80);  // grows the shared one
        EXPECT_EQ(next.Handle(), first);
        POINT origin;
        GetViewportOrgEx(next.Handle(), &origin);
        EXPECT_EQ(origin.x, 0);
        EXPECT_EQ(GetCurrentObject(next.Handle(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
        BITMAP bitmap{};
        GetObject(GetCurrentObject(next.Handle(), OBJ_BITMAP), sizeof bitmap, &bitmap);
        EXPECT_GE(bitmap.bmWidth, 120);
        EXPECT_GE(bitmap.bmHeight, 80);
    }
    {
        TPaintBuffer whole(screen, 1024, 768);  // past the limit: its own
        EXPECT_NE(whole.Handle(), first);
    }
    ReleaseDC(nullptr, screen);
}
