// The component on the real display. Each test runs again on a Wine
// virtual desktop of its own (see virtual_desktop.h), where DirectDraw can
// switch modes; message boxes are read off the screen and answered.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DDComp.h"
#include "ddraw_entry.h"
#include "framework/forms/form.h"
#include "import_watch.h"
#include "testing/message_boxes.h"
#include "surface_pixels.h"
#include "surfaceless_direct_draw.h"
#include "virtual_desktop.h"

using namespace surface_testing;
using suite::testing::MessageBoxAnswerer;

namespace {

// The surface description is 108 bytes in the 32-bit layout; the 64-bit
// build passes the platform's own size.
static_assert(sizeof(void*) == 8 || sizeof(DDSURFACEDESC) == 108);
const std::string kCreateSurface = "CreateSurface size " + std::to_string(sizeof(DDSURFACEDESC));

// Beeps the component asks for, passed on to the system.
std::vector<UINT> beeps;
void* systemBeep = nullptr;
BOOL WINAPI RecordBeep(UINT type) {
    beeps.push_back(type);
    return reinterpret_cast<decltype(&MessageBeep)>(systemBeep)(type);
}

// Watches MessageBeep for as long as it lives.
struct BeepWatch {
    BeepWatch() : patch("user32.dll", "MessageBeep", reinterpret_cast<void*>(RecordBeep)) {
        systemBeep = patch.Original();
    }
    ImportSlotPatch patch;
};

// Picture colours a default 8-bit palette does not hold: a picture shown
// through the wrong palette cannot come out right by chance.
RGBQUAD OddColour(int i) { return RGBQUAD{BYTE(13 + i * 37), BYTE(200 - i * 23), BYTE(91 + i * 59), 0}; }

// A 622 by 447 picture of 4 by 4 blocks, block (bx, by) in palette
// colour 4 * by + bx.
std::unique_ptr<TBitmap> BlockPicture() {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf8bit);
    std::vector<RGBQUAD> palette(256);
    for (int i = 0; i < 16; ++i) palette[i] = OddColour(i);
    bitmap->SetPalette(palette);
    bitmap->SetSize(622, 447);
    for (int y = 0; y < 447; ++y) {
        auto row = static_cast<BYTE*>(bitmap->ScanLine(y));
        for (int x = 0; x < 622; ++x) row[x] = BYTE(4 * (y * 4 / 447) + x * 4 / 622);
    }
    return bitmap;
}

// The references an interface has besides the caller's probe.
ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

uint32_t Rgb(RGBQUAD q) { return (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue; }

#define RUN_ON_TEST_DESKTOP(...)                                  \
    if (!InsideTestDesktop()) {                                   \
        EXPECT_EQ(RunThisTestInDesktop(__VA_ARGS__), 0u);         \
        return;                                                   \
    }

TEST(DirectDrawComponentDisplay, ExclusiveModeSwitchesTheDisplayAndGivesItBackWhenTheComponentGoes) {
    RUN_ON_TEST_DESKTOP();
    const DEVMODEA before = CurrentMode();
    MessageBoxAnswerer boxes(GetCurrentProcessId());
    {
        TForm form(nullptr);
        DirectDrawComponent component(&form);
        component.SetWidth(800);
        component.SetHeight(600);
        ASSERT_TRUE(component.Initialize());

        const DEVMODEA during = CurrentMode();
        EXPECT_EQ(during.dmPelsWidth, 800u);
        EXPECT_EQ(during.dmPelsHeight, 600u);
        EXPECT_EQ(during.dmBitsPerPel, 8u);
        ASSERT_NE(component.PrimarySurface(), nullptr);
        EXPECT_EQ(component.GetPrimaryCanvas(), component.PrimarySurface());
        EXPECT_EQ(component.BackSurface(), nullptr);  // only on request
        EXPECT_TRUE(component.AttachBackSurface());
        ASSERT_NE(component.BackSurface(), nullptr);
        // Asking again swaps the reference it holds rather than adding one.
        const ULONG held = References(component.BackSurface());
        EXPECT_TRUE(component.AttachBackSurface());
        EXPECT_EQ(References(component.BackSurface()), held);
        EXPECT_TRUE(component.RestoreSurfaces());
        EXPECT_TRUE(component.Shutdown());
        EXPECT_EQ(CurrentMode().dmPelsWidth, 800u);  // Shutdown changes nothing
    }
    const DEVMODEA after = CurrentMode();
    EXPECT_EQ(after.dmPelsWidth, before.dmPelsWidth);
    EXPECT_EQ(after.dmPelsHeight, before.dmPelsHeight);
    EXPECT_EQ(after.dmBitsPerPel, before.dmBitsPerPel);
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST(DirectDrawComponentDisplay, NormalCooperationAsksForNoModeChangeAndNoBackBuffer) {
    RUN_ON_TEST_DESKTOP();
    const DEVMODEA before = CurrentMode();
    MessageBoxAnswerer boxes(GetCurrentProcessId());
    TForm form(nullptr);
    DirectDrawComponent component(&form);
    component.SetExclusive(false);
    component.SetWidth(800);
    component.SetHeight(600);
    ASSERT_TRUE(component.Initialize());

    EXPECT_EQ(CurrentMode().dmPelsWidth, before.dmPelsWidth);
    EXPECT_EQ(CurrentMode().dmBitsPerPel, before.dmBitsPerPel);
    ASSERT_NE(component.PrimarySurface(), nullptr);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    ASSERT_EQ(component.PrimarySurface()->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.ddsCaps.dwCaps & (DDSCAPS_FLIP | DDSCAPS_COMPLEX), 0u);
    EXPECT_EQ(desc.dwWidth, before.dmPelsWidth);  // the whole desktop

    // With no clipper the picture goes to the screen's corner, not the
    // owner's window, and leaves the rest of the desktop alone.
    auto picture = BlockPicture();
    component.SetBackgroundBitmap(picture.get());
    component.DrawBitmapToBackground();
    auto screen = ReadSurface(component.PrimarySurface());
    EXPECT_EQ(screen.Count(Rgb(OddColour(0)), RECT{4, 4, 196, 146}), 192 * 142);
    EXPECT_EQ(screen.Count(Rgb(OddColour(15)), RECT{604, 454, 796, 596}), 192 * 142);
    EXPECT_EQ(screen.Count(Rgb(OddColour(3)), RECT{800, 0, 1024, 768}), 0);

    // There is no back buffer to attach, and the user is told.
    EXPECT_FALSE(component.AttachBackSurface());
    EXPECT_EQ(component.BackSurface(), nullptr);
    ASSERT_TRUE(boxes.WaitForCount(1, 15000));
    const auto seen = boxes.Seen();
    EXPECT_EQ(seen[0].text, "Could Not Attach Back Surface");
    EXPECT_EQ(seen[0].caption, ":-(");
}

TEST(DirectDrawComponentDisplay, TheStretchedBackgroundLandsOnTheWholeScreenInItsOwnColours) {
    RUN_ON_TEST_DESKTOP();
    TForm form(nullptr);
    DirectDrawComponent component(&form);
    component.SetWidth(800);
    component.SetHeight(600);
    auto picture = BlockPicture();
    component.SetBackgroundBitmap(picture.get());
    ASSERT_TRUE(component.Initialize());

    for (int paint = 0; paint < 2; ++paint) {  // every paint, not only the first
        component.DrawBitmapToBackground();
        auto screen = ReadSurface(component.PrimarySurface());
        ASSERT_EQ(screen.width, 800);
        ASSERT_EQ(screen.height, 600);
        for (int by = 0; by < 4; ++by) {
            for (int bx = 0; bx < 4; ++bx) {
                // Well inside each stretched block, clear of its edges.
                const RECT inner{bx * 200 + 4, by * 150 + 4, bx * 200 + 196, by * 150 + 146};
                const int area = (inner.right - inner.left) * (inner.bottom - inner.top);
                EXPECT_EQ(screen.Count(Rgb(OddColour(4 * by + bx)), inner), area)
                    << "block " << bx << "," << by << " paint " << paint;
            }
        }
        EXPECT_EQ(screen.At(799, 599), Rgb(OddColour(15)));  // to the very corner
        // Something else paints over it; the next paint puts it back.
        HDC dc = nullptr;
        ASSERT_EQ(component.PrimarySurface()->GetDC(&dc), DD_OK);
        PatBlt(dc, 0, 0, 800, 600, BLACKNESS);
        component.PrimarySurface()->ReleaseDC(dc);
    }
}

TEST(DirectDrawComponentDisplay, SetUpAsksForTheModeAndSurfaceOfItsSettingsAndGivesThemBack) {
    RUN_ON_TEST_DESKTOP();
    OverrideDirectDrawCreate(CreateWatchedDirectDraw);
    {
        TForm form(nullptr);
        {
            DirectDrawComponent component(&form);
            component.SetWidth(800);
            component.SetHeight(600);
            ASSERT_TRUE(component.Initialize());
            EXPECT_EQ(TakeDirectDrawCalls(),
                      (std::vector<std::string>{"SetCooperativeLevel 0x11", "SetDisplayMode 800 600 8",
                                                kCreateSurface + " flags 0x21 caps 0x218 back 1"}));
            EXPECT_EQ(CooperatingWindow(), form.Handle());
        }
        EXPECT_EQ(TakeDirectDrawCalls(), (std::vector<std::string>{"RestoreDisplayMode", "SetCooperativeLevel 0x8"}));
        {
            DirectDrawComponent component(&form);
            component.SetExclusive(false);
            ASSERT_TRUE(component.Initialize());
            EXPECT_EQ(TakeDirectDrawCalls(), (std::vector<std::string>{"SetCooperativeLevel 0x8",
                                                                       kCreateSurface + " flags 0x1 caps 0x200 back 0"}));
        }
    }
    EXPECT_EQ(SurfacelessObjectsAlive(), 0);
    OverrideDirectDrawCreate(nullptr);
}

TEST(DirectDrawComponentDisplay, WithoutDirectDrawTheUserHearsABeepAndIsToldItCouldNotInitialize) {
    RUN_ON_TEST_DESKTOP("ddraw");
    ASSERT_EQ(FindDirectDrawCreate(), nullptr) << "ddraw.dll is still there";
    BeepWatch beepWatch;
    ASSERT_TRUE(beepWatch.patch.Active());
    MessageBoxAnswerer boxes(GetCurrentProcessId());
    TForm form(nullptr);
    DirectDrawComponent component(&form);

    EXPECT_FALSE(component.Initialize());
    EXPECT_EQ(beeps, std::vector<UINT>{0xFFFFFFFFu});
    ASSERT_TRUE(boxes.WaitForCount(1, 15000));
    const auto seen = boxes.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, ":-(");
    EXPECT_EQ(seen[0].text, "Could Not Initialize");
    EXPECT_EQ(seen[0].owner, form.Handle());
    EXPECT_EQ(seen[0].buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(component.DirectDrawObject(), nullptr);
    component.DrawBitmapToBackground();  // nothing to paint on, and no crash
}

TEST(DirectDrawComponentDisplay, RefusedCooperationBeepsAndIsToldItCouldNotInitialize) {
    RUN_ON_TEST_DESKTOP();
    BeepWatch beepWatch;
    MessageBoxAnswerer boxes(GetCurrentProcessId());
    // Without a windowed owner there is no window to take full-screen.
    DirectDrawComponent component(nullptr);
    EXPECT_EQ(component.OwnerWindow(), nullptr);

    EXPECT_FALSE(component.Initialize());
    EXPECT_EQ(beeps, std::vector<UINT>{0xFFFFFFFFu});
    ASSERT_TRUE(boxes.WaitForCount(1, 15000));
    EXPECT_EQ(boxes.Seen()[0].text, "Could Not Initialize");
    EXPECT_EQ(boxes.Seen()[0].caption, ":-(");
    EXPECT_EQ(component.PrimarySurface(), nullptr);
}

TEST(DirectDrawComponentDisplay, AFailedPrimarySurfaceIsReportedAloneAndInitializeStillSucceeds) {
    RUN_ON_TEST_DESKTOP();
    OverrideDirectDrawCreate(CreateSurfacelessDirectDraw);
    BeepWatch beepWatch;
    MessageBoxAnswerer boxes(GetCurrentProcessId());
    {
        TForm form(nullptr);
        DirectDrawComponent component(&form);
        auto picture = BlockPicture();
        component.SetBackgroundBitmap(picture.get());

        EXPECT_TRUE(component.Initialize());
        EXPECT_EQ(component.PrimarySurface(), nullptr);
        EXPECT_EQ(SurfacelessFlipToGdiCount(), 1);
        ASSERT_TRUE(boxes.WaitForCount(1, 15000));
        Sleep(300);  // a second box would show by now
        const auto seen = boxes.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, ":-(");
        EXPECT_EQ(seen[0].text, "Could Not Create Primary Surface");
        EXPECT_EQ(seen[0].owner, form.Handle());
        EXPECT_EQ(seen[0].buttons, std::vector<std::string>{"OK"});
        EXPECT_TRUE(beeps.empty());
        component.DrawBitmapToBackground();  // no surface: nothing happens
        EXPECT_EQ(SurfacelessObjectsAlive(), 1);

        // A second set-up lets go of the first DirectDraw object.
        EXPECT_TRUE(component.Initialize());
        EXPECT_EQ(SurfacelessObjectsAlive(), 1);
        EXPECT_TRUE(boxes.WaitForCount(2, 15000));
    }
    EXPECT_EQ(SurfacelessObjectsAlive(), 0);  // the component let go of it
    OverrideDirectDrawCreate(nullptr);
}

}  // namespace
