// Reads what a DirectDraw surface holds, as colours: 8-bit surfaces are
// looked up in the palette attached to them (what the display shows).
#pragma once
#include <windows.h>
#include <ddraw.h>

#include "testing/screenshot.h"

namespace surface_testing {

// An empty image when the surface cannot be locked.
suite::testing::Image ReadSurface(IDirectDrawSurface* surface);

}  // namespace surface_testing
