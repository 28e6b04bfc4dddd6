#include "DDComp.h"

#include <vector>

#include "framework/classes/class_registry.h"
#include "framework/classes/published.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/canvas.h"
#include "ddraw_entry.h"
#include "primary_palette.h"

const TClassInfo& DirectDrawComponent::StaticClass() {
    static const TClassInfo info = TClassBuilder<DirectDrawComponent>::Creatable(
        "DirectDrawComponent", TComponent::StaticClass(), [](auto& c) {
            // Always written: with a stream default of false or 0 a form
            // that turned Exclusive off would load with the constructor's
            // true and take the screen after all.
            c.Property("Exclusive", &DirectDrawComponent::FExclusive).NoDefault();
            c.Property("Width", &DirectDrawComponent::FWidth).NoDefault();
            c.Property("Height", &DirectDrawComponent::FHeight).NoDefault();
            c.Property("ColorDepth", &DirectDrawComponent::FColorDepth).NoDefault();
            c.Property("Background", &DirectDrawComponent::GetBackgroundBitmap,
                       &DirectDrawComponent::SetBackgroundBitmap);
        });
    return info;
}

namespace {
const char* const kFailureCaption = ":-(";
constexpr DWORD kExclusiveLevel = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN;
}  // namespace

DirectDrawComponent::DirectDrawComponent(TComponent* owner) : TComponent(owner) {
    if (auto window = ObjectAs<TWinControl>(owner)) FOwnerWindow = window->Handle();
    FBackground = new TBitmap;
}

DirectDrawComponent::~DirectDrawComponent() {
    ReleaseDirectDraw();
    delete FBackground;
}

bool DirectDrawComponent::Initialize() {
    if (!DirectDrawInitialize()) {
        ShowFailure("Could Not Initialize");
        return false;
    }
    return true;
}

bool DirectDrawComponent::Shutdown() {
    DirectDrawShutdown();
    return true;
}

bool DirectDrawComponent::DirectDrawInitialize() {
    // A second set-up starts afresh rather than leaking the first.
    ReleaseDirectDraw();
    DirectDrawCreateFunction create = FindDirectDrawCreate();
    if (!create || create(nullptr, &FDirectDrawObject, nullptr) != DD_OK) {
        FDirectDrawObject = nullptr;
        MessageBeep(static_cast<UINT>(-1));
        return false;
    }
    if (FDirectDrawObject->SetCooperativeLevel(FOwnerWindow, FExclusive ? kExclusiveLevel : DDSCL_NORMAL) != DD_OK) {
        MessageBeep(static_cast<UINT>(-1));
        return false;
    }
    if (FExclusive) {
        // A mode the display cannot take goes unnoticed: the surfaces are
        // then made in the mode the display has.
        FDisplayModeChanged = FDirectDrawObject->SetDisplayMode(FWidth, FHeight, FColorDepth) == DD_OK;
    }
    CreatePrimarySurface();  // reports its own failure
    return true;
}

bool DirectDrawComponent::DirectDrawShutdown() { return true; }

bool DirectDrawComponent::CreatePrimarySurface() {
    if (!FDirectDrawObject) {
        ShowFailure("Could Not Create Primary Surface");
        return false;
    }
    ReleaseSurfaces();
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    if (FExclusive) {
        description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        description.dwBackBufferCount = 1;
    } else {
        description.dwFlags = DDSD_CAPS;
        description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    }
    if (FDirectDrawObject->CreateSurface(&description, &FPrimarySurface, nullptr) == DD_OK) return true;
    FPrimarySurface = nullptr;
    FDirectDrawObject->FlipToGDISurface();
    ShowFailure("Could Not Create Primary Surface");
    return false;
}

bool DirectDrawComponent::AttachBackSurface() {
    if (FBackSurface) {
        FBackSurface->Release();
        FBackSurface = nullptr;
    }
    DDSCAPS caps{};
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    if (FPrimarySurface && FPrimarySurface->GetAttachedSurface(&caps, &FBackSurface) == DD_OK) return true;
    FBackSurface = nullptr;
    if (FDirectDrawObject) FDirectDrawObject->FlipToGDISurface();
    ShowFailure("Could Not Attach Back Surface");
    return false;
}

bool DirectDrawComponent::CreateNewSurface() { return true; }

bool DirectDrawComponent::RestoreSurfaces() {
    if (FPrimarySurface && FPrimarySurface->Restore() == DD_OK) return true;
    if (FDirectDrawObject) FDirectDrawObject->FlipToGDISurface();
    ShowFailure("Could Not Restore Surface");
    return false;
}

void DirectDrawComponent::SetBackgroundBitmap(TBitmap* bitmap) { FBackground->Assign(bitmap); }

namespace {
// A GDI palette of the picture's colours, or null for a picture without
// one. The caller deletes it.
HPALETTE MakeGdiPalette(const std::vector<RGBQUAD>& colours) {
    if (colours.empty()) return nullptr;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + colours.size() * sizeof(PALETTEENTRY));
    auto logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(colours.size());
    for (size_t i = 0; i < colours.size(); ++i)
        logical->palPalEntry[i] = PALETTEENTRY{colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
    return CreatePalette(logical);
}
}  // namespace

void DirectDrawComponent::DrawBitmapToBackground() {
    if (!FPrimarySurface || FBackground->Empty()) return;
    MatchPrimaryPalette(FDirectDrawObject, FPrimarySurface, FBackground->Palette());
    HDC surfaceDc = nullptr;
    // A lost surface gives no context; the next paint after it is
    // restored draws again.
    if (FPrimarySurface->GetDC(&surfaceDc) != DD_OK || !surfaceDc) return;
    HPALETTE palette = MakeGdiPalette(FBackground->Palette());
    HPALETTE previous = palette ? SelectPalette(surfaceDc, palette, TRUE) : nullptr;
    if (palette) RealizePalette(surfaceDc);
    StretchBlt(surfaceDc, 0, 0, FWidth, FHeight, FBackground->Canvas()->Handle(), 0, 0, FBackground->Width(),
               FBackground->Height(), SRCCOPY);
    if (palette) {
        SelectPalette(surfaceDc, previous, TRUE);
        DeleteObject(palette);
    }
    FPrimarySurface->ReleaseDC(surfaceDc);
}

void DirectDrawComponent::ShowFailure(const char* text) const {
    MessageBoxA(FOwnerWindow, text, kFailureCaption, MB_OK);
}

void DirectDrawComponent::ReleaseSurfaces() {
    // The back buffer belongs to the primary's chain; our reference to it
    // goes first.
    if (FBackSurface) FBackSurface->Release();
    FBackSurface = nullptr;
    if (FPrimarySurface) FPrimarySurface->Release();
    FPrimarySurface = nullptr;
}

void DirectDrawComponent::ReleaseDirectDraw() {
    ReleaseSurfaces();
    if (!FDirectDrawObject) return;
    if (FDisplayModeChanged) FDirectDrawObject->RestoreDisplayMode();
    FDisplayModeChanged = false;
    if (IsWindow(FOwnerWindow)) FDirectDrawObject->SetCooperativeLevel(FOwnerWindow, DDSCL_NORMAL);
    FDirectDrawObject->Release();
    FDirectDrawObject = nullptr;
}

namespace DDComp {
void Register() { RegisterComponents("Corvane", {&DirectDrawComponent::StaticClass()}); }
}  // namespace DDComp
