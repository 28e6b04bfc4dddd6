// Gives an 8-bit primary surface the colours of the picture drawn on it.
// Selecting and realising a palette in the surface's device context does
// not reach the surface's own palette, so without this an 8-bit screen
// shows the picture matched to whatever palette the display had.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include <vector>

// Attaches a DirectDraw palette made of `colours` (at most 256; the rest
// black) to `primary` when the primary is palette-indexed; the surface
// keeps the only reference. True when there was nothing to do or it
// worked.
bool MatchPrimaryPalette(IDirectDraw* directDraw, IDirectDrawSurface* primary,
                         const std::vector<RGBQUAD>& colours);
