#include "framework/graphics/colors.h"

#include <windows.h>

PTypeInfo TypeInfoFor<TColor>::Get() {
    static const TTypeInfo info{
        TTypeKind::Color, "TColor", {}, nullptr, INT32_MIN, INT32_MAX,
        {{"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
         {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
         {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
         {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
         {"clScrollBar", clScrollBar}, {"clBackground", clBackground},
         {"clActiveCaption", clActiveCaption}, {"clInactiveCaption", clInactiveCaption},
         {"clMenu", clMenu}, {"clWindow", clWindow}, {"clWindowFrame", clWindowFrame},
         {"clMenuText", clMenuText}, {"clWindowText", clWindowText}, {"clCaptionText", clCaptionText},
         {"clActiveBorder", clActiveBorder}, {"clInactiveBorder", clInactiveBorder},
         {"clAppWorkSpace", clAppWorkSpace}, {"clHighlight", clHighlight},
         {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
         {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
         {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
         {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
         {"clInfoBk", clInfoBk}, {"clNone", clNone}, {"clDefault", clDefault},
         // Read-only aliases: the writer finds the primary names first.
         {"clLtGray", clLtGray}, {"clDkGray", clDkGray}}};
    return &info;
}

uint32_t ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<uint32_t>(color) & 0x00FFFFFF;
}

AnsiString ColorToString(TColor color) {
    if (const char* name = IntToIdent(TypeInfoOf<TColor>(), color)) return name;
    return Format("0x%.8X", static_cast<unsigned>(color));
}

TColor StringToColor(const AnsiString& text) {
    int64_t value = 0;
    if (IdentToInt(TypeInfoOf<TColor>(), text, value)) return static_cast<TColor>(value);
    if (TryStrToInt64(text, value) && value >= INT32_MIN && value <= UINT32_MAX)
        return static_cast<TColor>(static_cast<int32_t>(static_cast<uint32_t>(value)));
    throw EConvertError("'" + text + "' is not a valid colour");
}
