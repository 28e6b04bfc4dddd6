// The look the preset edits and labels share: yellow Times New Roman of 12
// points on blue, in the style given.
#pragma once
#include "framework/framework.h"

void ApplySmallPreset(TControl& control, TFontStyles style);
