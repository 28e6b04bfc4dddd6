// TColor: an RGB value (red in the low byte) or, with the top bit set, a
// system colour index. Names convert both ways.
#pragma once
#include <cstdint>

#include "framework/classes/type_infos.h"

enum TColor : int32_t {
    clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
    clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
    clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
    clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
    clLtGray = 0xC0C0C0, clDkGray = 0x808080,
    clScrollBar = INT32_MIN | 0, clBackground = INT32_MIN | 1, clActiveCaption = INT32_MIN | 2,
    clInactiveCaption = INT32_MIN | 3, clMenu = INT32_MIN | 4, clWindow = INT32_MIN | 5,
    clWindowFrame = INT32_MIN | 6, clMenuText = INT32_MIN | 7, clWindowText = INT32_MIN | 8,
    clCaptionText = INT32_MIN | 9, clActiveBorder = INT32_MIN | 10, clInactiveBorder = INT32_MIN | 11,
    clAppWorkSpace = INT32_MIN | 12, clHighlight = INT32_MIN | 13, clHighlightText = INT32_MIN | 14,
    clBtnFace = INT32_MIN | 15, clBtnShadow = INT32_MIN | 16, clGrayText = INT32_MIN | 17,
    clBtnText = INT32_MIN | 18, clInactiveCaptionText = INT32_MIN | 19, clBtnHighlight = INT32_MIN | 20,
    cl3DDkShadow = INT32_MIN | 21, cl3DLight = INT32_MIN | 22, clInfoText = INT32_MIN | 23,
    clInfoBk = INT32_MIN | 24,
    clNone = 0x1FFFFFFF, clDefault = 0x20000000,
};
FRAME_TYPE_INFO(TColor);

// The RGB value to draw with (system colours looked up now).
uint32_t ColorToRGB(TColor color);
// "clWhite" or "0x00FF00FF" for colours without a name.
AnsiString ColorToString(TColor color);
// Accepts names and numbers; raises EConvertError otherwise.
TColor StringToColor(const AnsiString& text);
