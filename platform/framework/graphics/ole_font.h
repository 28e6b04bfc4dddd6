// The platform's font objects (IFont, IFontDisp: a container's ambient
// font) and the framework's TFont, both ways.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "framework/graphics/graphics_object.h"

// Takes name, size, style and character set from the font object (an
// IFont behind any dispatch interface); the colour stays. A null or
// foreign object leaves the font as it was.
void SetOleFont(TFont* font, IUnknown* oleFont);
// A new font object with the font's name, size, style and character set;
// the caller releases it. Null when the platform cannot make one.
IFontDisp* CreateOleFont(const TFont& font);
