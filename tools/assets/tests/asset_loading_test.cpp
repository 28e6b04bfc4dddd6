// The platform itself reads our asset files: the bitmaps, the icon and the
// sound headers must load through the same calls the programs use, and the
// sprite masks must make the background vanish when an image list draws.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <string>

#include "testing/memory_canvas.h"

namespace {

std::wstring AssetPath(const char* relative) {
    std::string path = std::string(SUITE_SOURCE_ROOT) + "/" + relative;
    return std::wstring(path.begin(), path.end());
}

// Owns a GDI object for the length of a test.
struct GdiObject {
    HGDIOBJ handle;
    explicit GdiObject(HANDLE h) : handle(static_cast<HGDIOBJ>(h)) {}
    ~GdiObject() { if (handle) DeleteObject(handle); }
    HBITMAP bitmap() const { return static_cast<HBITMAP>(handle); }
};

HANDLE LoadBitmapFile(const char* relative) {
    return LoadImageW(nullptr, AssetPath(relative).c_str(), IMAGE_BITMAP, 0, 0,
                      LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

TEST(AssetLoading, BitmapsLoadWithTheirSizesAndDepths) {
    struct { const char* file; int width, height, bits; } cases[] = {
        {"game/assets/monster_left.bmp", 256, 64, 24},
        {"game/assets/monster_right_mask.bmp", 256, 64, 1},
        {"game/assets/monster_death.bmp", 64, 64, 24},
        {"game/assets/ground.bmp", 1600, 32, 8},
        {"game/assets/play_glyph.bmp", 64, 64, 24},
        {"game/assets/about_picture.bmp", 294, 312, 24},
        {"surface/assets/background.bmp", 622, 447, 8},
    };
    for (const auto& c : cases) {
        GdiObject bitmap(LoadBitmapFile(c.file));
        ASSERT_NE(bitmap.handle, nullptr) << c.file;
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(bitmap.handle, sizeof section, &section),
                  static_cast<int>(sizeof section)) << c.file;
        EXPECT_EQ(section.dsBm.bmWidth, c.width) << c.file;
        EXPECT_EQ(section.dsBm.bmHeight, c.height) << c.file;
        EXPECT_EQ(section.dsBm.bmBitsPixel, c.bits) << c.file;
    }
}

TEST(AssetLoading, ImageListDrawsOnlyTheMonster) {
    HIMAGELIST list = ImageList_Create(64, 64, ILC_COLOR16 | ILC_MASK, 4, 0);
    ASSERT_NE(list, nullptr);
    {
        GdiObject image(LoadImageW(nullptr, AssetPath("game/assets/monster_left.bmp").c_str(),
                                   IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        GdiObject mask(LoadImageW(nullptr, AssetPath("game/assets/monster_left_mask.bmp").c_str(),
                                  IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_MONOCHROME));
        ASSERT_EQ(ImageList_Add(list, image.bitmap(), mask.bitmap()), 0);
    }
    EXPECT_EQ(ImageList_GetImageCount(list), 4);

    suite::testing::MemoryCanvas canvas(256, 64);
    for (int frame = 0; frame < 4; ++frame)
        ASSERT_TRUE(ImageList_Draw(list, frame, canvas.dc, frame * 64, 0, ILD_NORMAL));
    auto shot = canvas.Read();
    shot.Save("assets_image_list.png");
    for (int frame = 0; frame < 4; ++frame) {
        RECT cell{frame * 64, 0, frame * 64 + 64, 64};
        int white = shot.Count(0x00FFFFFF, cell);
        EXPECT_GT(white, 64 * 64 / 3) << "background shows around frame " << frame;
        EXPECT_LT(white, 64 * 64 * 5 / 6) << "the monster is drawn in frame " << frame;
    }
    EXPECT_EQ(shot.At(0, 0), 0x00FFFFFFu);
    ImageList_Destroy(list);
}

TEST(AssetLoading, IconHasBothSizesAndATransparentCorner) {
    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(LoadImageW(nullptr,
            AssetPath("game/assets/skelder.ico").c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);

        suite::testing::MemoryCanvas canvas(size, size);
        ASSERT_TRUE(DrawIconEx(canvas.dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        auto shot = canvas.Read();
        EXPECT_EQ(shot.At(0, size - 1), 0x00FFFFFFu) << size;
        EXPECT_NE(shot.At(size / 2, size / 2), 0x00FFFFFFu) << size;
        DestroyIcon(icon);
    }
}

TEST(AssetLoading, SoundsArePcmThatTheMultimediaParserAccepts) {
    for (const char* file : {"game/assets/hit.wav", "game/assets/ShotgunFire.wav",
                             "game/assets/ShotgunReload.wav"}) {
        std::wstring path = AssetPath(file);
        HMMIO mmio = mmioOpenW(path.data(), nullptr, MMIO_READ);
        ASSERT_NE(mmio, nullptr) << file;
        MMCKINFO riff{};
        riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
        ASSERT_EQ(mmioDescend(mmio, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR) << file;
        MMCKINFO chunk{};
        chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
        ASSERT_EQ(mmioDescend(mmio, &chunk, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR) << file;
        PCMWAVEFORMAT format{};
        ASSERT_EQ(mmioRead(mmio, reinterpret_cast<HPSTR>(&format), sizeof format),
                  static_cast<LONG>(sizeof format));
        EXPECT_EQ(format.wf.wFormatTag, WAVE_FORMAT_PCM) << file;
        EXPECT_EQ(format.wf.nChannels, 1) << file;
        EXPECT_EQ(format.wf.nSamplesPerSec, 22050u) << file;
        EXPECT_EQ(format.wBitsPerSample, 16) << file;
        mmioAscend(mmio, &chunk, 0);
        chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
        ASSERT_EQ(mmioDescend(mmio, &chunk, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR) << file;
        EXPECT_GT(chunk.cksize, 22050u * 2 * 3 / 10) << file;
        mmioClose(mmio, 0);
    }
}

}  // namespace
