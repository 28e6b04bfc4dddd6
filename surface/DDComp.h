// DirectDrawComponent: a non-visual component that takes over the display
// through DirectDraw (first interface version) for the form that owns it,
// and paints its background picture onto the primary surface.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include "framework/classes/component.h"
#include "framework/graphics/bitmap.h"

class DirectDrawComponent : public TComponent {
    FRAME_CLASS(DirectDrawComponent, TComponent)
public:
    // The owner should be a windowed control (normally the form): its
    // window is made now if it has none, DirectDraw co-operates with it and
    // the message boxes belong to it.
    explicit DirectDrawComponent(TComponent* owner);
    // Releases the surfaces and the DirectDraw object and gives the display
    // back its own mode.
    ~DirectDrawComponent() override;

    // Set-up with a message box on failure; false when it failed.
    virtual bool Initialize();
    virtual bool Shutdown();

    bool DirectDrawInitialize();
    bool DirectDrawShutdown();
    bool CreatePrimarySurface();
    bool AttachBackSurface();
    bool CreateNewSurface();
    bool RestoreSurfaces();

    // The component keeps the bitmap; setting copies the given one.
    TBitmap* GetBackgroundBitmap() const { return FBackground; }
    void SetBackgroundBitmap(TBitmap* bitmap);
    IDirectDrawSurface* GetPrimaryCanvas() const { return FPrimarySurface; }
    // Stretches the background over Width by Height of the primary surface
    // from its top-left corner; does nothing while there is no surface.
    void DrawBitmapToBackground();

    HWND OwnerWindow() const { return FOwnerWindow; }
    bool Exclusive() const { return FExclusive; }
    void SetExclusive(bool value) { FExclusive = value; }
    int Width() const { return FWidth; }
    void SetWidth(int value) { FWidth = value; }
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    int ColorDepth() const { return FColorDepth; }
    void SetColorDepth(int value) { FColorDepth = value; }
    IDirectDraw* DirectDrawObject() const { return FDirectDrawObject; }
    IDirectDrawSurface* PrimarySurface() const { return FPrimarySurface; }
    IDirectDrawSurface* BackSurface() const { return FBackSurface; }

private:
    void ShowFailure(const char* text) const;
    void ReleaseSurfaces();
    void ReleaseDirectDraw();

    HWND FOwnerWindow = nullptr;
    bool FExclusive = true;
    int FWidth = 640;
    int FHeight = 480;
    int FColorDepth = 8;
    IDirectDraw* FDirectDrawObject = nullptr;
    IDirectDrawSurface* FPrimarySurface = nullptr;
    IDirectDrawSurface* FBackSurface = nullptr;
    TBitmap* FBackground = nullptr;
    bool FDisplayModeChanged = false;
};

namespace DDComp {
// Puts DirectDrawComponent on the palette page "Corvane".
void Register();
}  // namespace DDComp
