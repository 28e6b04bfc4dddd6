// The drawing tools a canvas holds: pens, brushes and fonts. Each makes
// its GDI handle when first asked and remakes it after a change.
#pragma once
#include <windows.h>

#include "framework/classes/object.h"
#include "framework/graphics/colors.h"

class TGraphicsObject : public TPersistent {
    FRAME_CLASS(TGraphicsObject, TPersistent)
public:
    ~TGraphicsObject() override;
    TNotifyEvent OnChange;

protected:
    void Changed();
    HGDIOBJ FHandle = nullptr;
    void FreeHandle();
};

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
FRAME_TYPE_INFO(TPenStyle);

class TPen : public TGraphicsObject {
    FRAME_CLASS(TPen, TGraphicsObject)
public:
    TPen();
    ~TPen() override;
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    HPEN Handle();
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
};

enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
FRAME_TYPE_INFO(TBrushStyle);

class TBrush : public TGraphicsObject {
    FRAME_CLASS(TBrush, TGraphicsObject)
public:
    TBrush();
    ~TBrush() override;
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    HBRUSH Handle();
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

enum TFontStyles : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
FRAME_TYPE_INFO(TFontStyles);
inline TFontStyles operator|(TFontStyles a, TFontStyles b) { return static_cast<TFontStyles>(uint8_t(a) | uint8_t(b)); }

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
FRAME_TYPE_INFO(TFontPitch);

// The character set by its platform number (DEFAULT_CHARSET is 1).
enum TFontCharset : uint8_t {};
FRAME_TYPE_INFO(TFontCharset);

class TFont : public TGraphicsObject {
    FRAME_CLASS(TFont, TGraphicsObject)
public:
    TFont();
    ~TFont() override;
    const AnsiString& Name() const { return FName; }
    void SetName(const AnsiString& value);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int value);
    // Points at 96 pixels per inch.
    int Size() const;
    void SetSize(int value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    HFONT Handle();
    void Assign(const TPersistent* source) override;
    bool Equals(const TFont& other) const;

private:
    AnsiString FName = "MS Sans Serif";
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle = TFontStyles(0);
    TFontCharset FCharset = TFontCharset(DEFAULT_CHARSET);
    TFontPitch FPitch = fpDefault;
};
