#include "framework/graphics/ole_font.h"

#include <oleauto.h>

#include "framework/system/delayed_imports.h"

namespace {

// A font's size in points travels as a currency: points times 10000.
constexpr LONGLONG CurrencyUnits = 10000;

}  // namespace

void SetOleFont(TFont* font, IUnknown* oleFont) {
    if (!font || !oleFont) return;
    IFont* source = nullptr;
    if (FAILED(oleFont->QueryInterface(IID_IFont, reinterpret_cast<void**>(&source)))) return;
    BSTR name = nullptr;
    CY size{};
    BOOL bold = FALSE, italic = FALSE, underline = FALSE, strikeout = FALSE;
    SHORT charset = DEFAULT_CHARSET;
    bool read = SUCCEEDED(source->get_Name(&name)) && SUCCEEDED(source->get_Size(&size)) &&
                SUCCEEDED(source->get_Bold(&bold)) && SUCCEEDED(source->get_Italic(&italic)) &&
                SUCCEEDED(source->get_Underline(&underline)) &&
                SUCCEEDED(source->get_Strikethrough(&strikeout)) && SUCCEEDED(source->get_Charset(&charset));
    source->Release();
    if (read) {
        int style = (bold ? fsBold : 0) | (italic ? fsItalic : 0) | (underline ? fsUnderline : 0) |
                    (strikeout ? fsStrikeOut : 0);
        if (name) font->SetName(FromWide(std::wstring_view(name, Delayed::SysStringLen(name))));
        font->SetSize(static_cast<int>((size.int64 + CurrencyUnits / 2) / CurrencyUnits));
        font->SetStyle(static_cast<TFontStyles>(style));
        font->SetCharset(static_cast<TFontCharset>(charset));
    }
    Delayed::SysFreeString(name);
}

IFontDisp* CreateOleFont(const TFont& font) {
    std::wstring name = ToWide(font.Name());
    FONTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.lpstrName = name.data();
    description.cySize.int64 = static_cast<LONGLONG>(font.Size()) * CurrencyUnits;
    description.sWeight = static_cast<SHORT>(font.Style() & fsBold ? FW_BOLD : FW_NORMAL);
    description.sCharset = static_cast<SHORT>(font.Charset());
    description.fItalic = (font.Style() & fsItalic) != 0;
    description.fUnderline = (font.Style() & fsUnderline) != 0;
    description.fStrikethrough = (font.Style() & fsStrikeOut) != 0;
    IFontDisp* out = nullptr;
    if (FAILED(Delayed::OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&out)))) return nullptr;
    return out;
}
