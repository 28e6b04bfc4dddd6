#include "framework/design/editor_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "framework/forms/color_dialog.h"
#include "framework/forms/dialog_seam.h"
#include "framework/system/delayed_imports.h"

namespace {

// The framework's colour dialog, one for all colour editors so that the
// custom colours a user mixes stay for the next time.
bool PlatformPickColor(TColor& color) {
    static TColorDialog dialog(nullptr);
    dialog.SetColor(color);
    if (!dialog.Execute()) return false;
    color = dialog.Color();
    return true;
}

bool PlatformPickFont(TFont& font) {
    // A scripted answer works on a copy, so a cancelled answer changes nothing.
    TFont offered;
    offered.Assign(&font);
    TDialogQuestion question;
    question.Kind = TDialogKind::Font;
    question.Caption = "Font";
    question.Font = &offered;
    if (std::optional<TDialogAnswer> answer = AskDialogAnswerer(question)) {
        if (answer->Result != mrOk) return false;
        font.Assign(&offered);
        return true;
    }
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
    if (!Delayed::ChooseFontA(&dialog)) return false;
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
