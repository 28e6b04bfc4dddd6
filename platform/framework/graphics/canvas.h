// TCanvas: drawing on a device context with the canvas's pen, brush and
// font. A canvas either is given its context (SetHandle) or makes one
// when first asked (CreateHandle in descendants).
#pragma once
#include <windows.h>

#include <memory>

#include "framework/graphics/graphics_object.h"

using TRect = RECT;
using TPoint = POINT;
inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TPoint Point(int x, int y) { return TPoint{x, y}; }

class TGraphic;

class TCanvas : public TPersistent {
    FRAME_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    HDC Handle();
    // Gives the canvas a context it does not own (nullptr detaches it,
    // restoring the context's original tools).
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetFont(TFont* font) { FFont->Assign(font); }
    void SetPen(TPen* pen) { FPen->Assign(pen); }
    void SetBrush(TBrush* brush) { FBrush->Assign(brush); }

    void TextOut(int x, int y, const AnsiString& text);
    void TextRect(const TRect& rect, int x, int y, const AnsiString& text);
    int TextWidth(const AnsiString& text);
    int TextHeight(const AnsiString& text);
    SIZE TextExtent(const AnsiString& text);
    void Rectangle(int x1, int y1, int x2, int y2);
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Ellipse(int x1, int y1, int x2, int y2);
    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);

    TNotifyEvent OnChange;

protected:
    // Descendants that make their own context override these.
    virtual void CreateHandle();
    virtual void FreeHandle();
    void Changing();

private:
    void RequireTools();
    void ToolChanged(TObject* sender);
    void DeselectTools();

    HDC FHandle = nullptr;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    HGDIOBJ FOldFont = nullptr, FOldPen = nullptr, FOldBrush = nullptr;
    bool FToolsSelected = false;
};
