#include "framework/graphics/graphics_object.h"

#include "framework/classes/published.h"

FRAME_DEFINE_ENUM_INFO(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                       "psInsideFrame")
FRAME_DEFINE_ENUM_INFO(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                       "bsBDiagonal", "bsCross", "bsDiagCross")
FRAME_DEFINE_SET_INFO(TFontStyles, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
FRAME_DEFINE_ENUM_INFO(TFontPitch, "fpDefault", "fpVariable", "fpFixed")

PTypeInfo TypeInfoFor<TFontCharset>::Get() {
    static const TTypeInfo info{TTypeKind::Integer, "TFontCharset", {}, nullptr, 0, 255,
                                {{"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                 {"SYMBOL_CHARSET", SYMBOL_CHARSET}, {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
                                 {"HANGEUL_CHARSET", HANGEUL_CHARSET}, {"GB2312_CHARSET", GB2312_CHARSET},
                                 {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET}, {"OEM_CHARSET", OEM_CHARSET},
                                 {"GREEK_CHARSET", GREEK_CHARSET}, {"TURKISH_CHARSET", TURKISH_CHARSET},
                                 {"HEBREW_CHARSET", HEBREW_CHARSET}, {"ARABIC_CHARSET", ARABIC_CHARSET},
                                 {"BALTIC_CHARSET", BALTIC_CHARSET}, {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
                                 {"THAI_CHARSET", THAI_CHARSET}, {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
                                 {"MAC_CHARSET", MAC_CHARSET}}};
    return &info;
}

const TClassInfo& TGraphicsObject::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGraphicsObject>::Abstract("TGraphicsObject", TPersistent::StaticClass());
    return info;
}

TGraphicsObject::~TGraphicsObject() { FreeHandle(); }

void TGraphicsObject::FreeHandle() {
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
}

void TGraphicsObject::Changed() {
    FreeHandle();
    OnChange(this);
}

// --- TPen

const TClassInfo& TPen::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPen>::Abstract("TPen", TGraphicsObject::StaticClass(), [](auto& c) {
        c.Property("Color", &TPen::Color, &TPen::SetColor).Default(clBlack);
        c.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
        c.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
    });
    return info;
}

TPen::TPen() = default;
TPen::~TPen() = default;

void TPen::SetColor(TColor value) { if (value != FColor) { FColor = value; Changed(); } }
void TPen::SetWidth(int value) { if (value != FWidth) { FWidth = value; Changed(); } }
void TPen::SetStyle(TPenStyle value) { if (value != FStyle) { FStyle = value; Changed(); } }

HPEN TPen::Handle() {
    if (!FHandle) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        FHandle = CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor));
    }
    return static_cast<HPEN>(FHandle);
}

void TPen::Assign(const TPersistent* source) {
    if (auto pen = ObjectAs<TPen>(const_cast<TPersistent*>(source))) {
        FColor = pen->FColor;
        FWidth = pen->FWidth;
        FStyle = pen->FStyle;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

// --- TBrush

const TClassInfo& TBrush::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBrush>::Abstract("TBrush", TGraphicsObject::StaticClass(), [](auto& c) {
        c.Property("Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite);
        c.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
    });
    return info;
}

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::SetColor(TColor value) {
    if (value == FColor && FStyle != bsClear) return;
    FColor = value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}
void TBrush::SetStyle(TBrushStyle value) { if (value != FStyle) { FStyle = value; Changed(); } }

HBRUSH TBrush::Handle() {
    if (!FHandle) {
        LOGBRUSH lb{};
        lb.lbColor = ColorToRGB(FColor);
        if (FStyle == bsSolid) {
            lb.lbStyle = BS_SOLID;
        } else if (FStyle == bsClear) {
            lb.lbStyle = BS_HOLLOW;
        } else {
            static const int hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
            lb.lbStyle = BS_HATCHED;
            lb.lbHatch = static_cast<ULONG_PTR>(hatches[FStyle]);
        }
        FHandle = CreateBrushIndirect(&lb);
    }
    return static_cast<HBRUSH>(FHandle);
}

void TBrush::Assign(const TPersistent* source) {
    if (auto brush = ObjectAs<TBrush>(const_cast<TPersistent*>(source))) {
        FColor = brush->FColor;
        FStyle = brush->FStyle;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

// --- TFont

const TClassInfo& TFont::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFont>::Abstract("TFont", TGraphicsObject::StaticClass(), [](auto& c) {
        c.Property("Charset", &TFont::Charset, &TFont::SetCharset).Default(DEFAULT_CHARSET);
        c.Property("Color", &TFont::Color, &TFont::SetColor).Default(clWindowText);
        c.Property("Height", &TFont::Height, &TFont::SetHeight).NoDefault();
        c.Property("Name", &TFont::Name, &TFont::SetName);
        c.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
        c.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
        c.Property("Style", &TFont::Style, &TFont::SetStyle);
    });
    return info;
}

TFont::TFont() = default;
TFont::~TFont() = default;

void TFont::SetName(const AnsiString& value) { if (value != FName && !value.empty()) { FName = value; Changed(); } }
void TFont::SetHeight(int value) { if (value != FHeight) { FHeight = value; Changed(); } }
int TFont::Size() const { return -(FHeight * 72 - 48) / 96; }
void TFont::SetSize(int value) { SetHeight(-(value * 96 + 36) / 72); }
void TFont::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    OnChange(this);  // the colour is not part of the GDI font
}
void TFont::SetStyle(TFontStyles value) { if (value != FStyle) { FStyle = value; Changed(); } }
void TFont::SetCharset(TFontCharset value) { if (value != FCharset) { FCharset = value; Changed(); } }
void TFont::SetPitch(TFontPitch value) { if (value != FPitch) { FPitch = value; Changed(); } }

HFONT TFont::Handle() {
    if (!FHandle) {
        LOGFONTA lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) != 0;
        lf.lfUnderline = (FStyle & fsUnderline) != 0;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) != 0;
        lf.lfCharSet = FCharset;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
        lstrcpynA(lf.lfFaceName, FName.c_str(), LF_FACESIZE);
        FHandle = CreateFontIndirectA(&lf);
    }
    return static_cast<HFONT>(FHandle);
}

void TFont::Assign(const TPersistent* source) {
    if (auto font = ObjectAs<TFont>(const_cast<TPersistent*>(source))) {
        FName = font->FName;
        FHeight = font->FHeight;
        FColor = font->FColor;
        FStyle = font->FStyle;
        FCharset = font->FCharset;
        FPitch = font->FPitch;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

bool TFont::Equals(const TFont& o) const {
    return FName == o.FName && FHeight == o.FHeight && FColor == o.FColor && FStyle == o.FStyle &&
           FCharset == o.FCharset && FPitch == o.FPitch;
}
