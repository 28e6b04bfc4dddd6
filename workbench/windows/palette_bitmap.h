// The picture of a palette button: the bitmap the class's package carries,
// or the workbench's default picture (a framed light yellow box with the
// class's initial).
#pragma once
#include <memory>

#include "model/palette_model.h"

std::unique_ptr<TBitmap> LoadPaletteBitmap(const TPaletteButton& button);
