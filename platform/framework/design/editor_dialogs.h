// The dialogs the stock colour and font editors open (their Edit): by
// default the platform's colour and font dialogs, owned by the active
// window. A designer with dialogs of its own, or a test, puts others in
// their place.
#pragma once
#include <functional>

#include "framework/graphics/graphics_object.h"

struct TEditorDialogs {
    // Each shows the value, and answers true with the value changed when
    // the user confirms.
    std::function<bool(TColor& color)> PickColor;
    std::function<bool(TFont& font)> PickFont;
};

TEditorDialogs& EditorDialogs();
