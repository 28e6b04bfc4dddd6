#include "Corvan1/Presets.h"

void ApplySmallPreset(TControl& control, TFontStyles style) {
    control.SetColor(clBlue);
    control.Font()->SetColor(clYellow);
    control.Font()->SetName("Times New Roman");
    control.Font()->SetSize(12);
    control.Font()->SetStyle(style);
}
