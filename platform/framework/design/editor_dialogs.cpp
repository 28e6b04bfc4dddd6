#include "framework/design/editor_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

namespace {

bool PlatformPickColor(TColor& color) {
    static COLORREF custom[16] = {};
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.rgbResult = ColorToRGB(color);
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&dialog)) return false;
    color = static_cast<TColor>(dialog.rgbResult);
    return true;
}

bool PlatformPickFont(TFont& font) {
    LOGFONTA logFont{};
    logFont.lfHeight = font.Height();
    logFont.lfWeight = font.Style() & fsBold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = (font.Style() & fsItalic) != 0;
    logFont.lfUnderline = (font.Style() & fsUnderline) != 0;
    logFont.lfStrikeOut = (font.Style() & fsStrikeOut) != 0;
    logFont.lfCharSet = font.Charset();
    std::strncpy(logFont.lfFaceName, font.Name().c_str(), LF_FACESIZE - 1);
    CHOOSEFONTA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpLogFont = &logFont;
    dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    dialog.rgbColors = ColorToRGB(font.Color());
    if (!ChooseFontA(&dialog)) return false;
    uint8_t style = (logFont.lfWeight >= FW_BOLD ? fsBold : 0) | (logFont.lfItalic ? fsItalic : 0) |
                    (logFont.lfUnderline ? fsUnderline : 0) | (logFont.lfStrikeOut ? fsStrikeOut : 0);
    font.SetName(logFont.lfFaceName);
    font.SetHeight(logFont.lfHeight);
    font.SetStyle(static_cast<TFontStyles>(style));
    font.SetCharset(static_cast<TFontCharset>(logFont.lfCharSet));
    font.SetColor(static_cast<TColor>(dialog.rgbColors));
    return true;
}

}  // namespace

TEditorDialogs& EditorDialogs() {
    static TEditorDialogs dialogs{PlatformPickColor, PlatformPickFont};
    return dialogs;
}
