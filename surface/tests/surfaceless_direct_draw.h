// The real DirectDraw object with one fault: it has no memory for
// surfaces. Wine grants every surface the component asks for, so this is
// how a test reaches the component's "no primary surface" path. Every
// other call goes to the real object unchanged.
#pragma once
#include <windows.h>
#include <ddraw.h>

namespace surface_testing {

// Shaped like DirectDrawCreate, for OverrideDirectDrawCreate.
HRESULT WINAPI CreateSurfacelessDirectDraw(GUID* driver, IDirectDraw** object, IUnknown* outer);

// How often the objects made above were asked to flip to the GDI surface,
// and how many of them are still alive.
int SurfacelessFlipToGdiCount();
int SurfacelessObjectsAlive();

}  // namespace surface_testing
