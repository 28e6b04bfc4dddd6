// The real DirectDraw object with one fault: it has no memory for
// surfaces. Wine grants every surface the component asks for, so this is
// how a test reaches the component's "no primary surface" path. Every
// other call goes to the real object unchanged. The same object without
// the fault writes down the calls that set up and give back the display.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include <string>
#include <vector>

namespace surface_testing {

// Shaped like DirectDrawCreate, for OverrideDirectDrawCreate.
HRESULT WINAPI CreateSurfacelessDirectDraw(GUID* driver, IDirectDraw** object, IUnknown* outer);

// How often the objects made above were asked to flip to the GDI surface,
// and how many of them are still alive.
int SurfacelessFlipToGdiCount();
int SurfacelessObjectsAlive();

// Shaped like DirectDrawCreate: the real object with nothing taken away.
HRESULT WINAPI CreateWatchedDirectDraw(GUID* driver, IDirectDraw** object, IUnknown* outer);
// The calls made on any of the objects above since the last time asked,
// e.g. "SetCooperativeLevel 0x11", "SetDisplayMode 800 600 8",
// "CreateSurface size 108 flags 0x21 caps 0x218 back 1"; and the window of
// the last SetCooperativeLevel.
std::vector<std::string> TakeDirectDrawCalls();
HWND CooperatingWindow();

}  // namespace surface_testing
