#include "framework/graphics/canvas.h"

#include "framework/classes/published.h"
#include "framework/graphics/graphic.h"

const TClassInfo& TCanvas::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCanvas>::Abstract("TCanvas", TPersistent::StaticClass());
    return info;
}

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
    FFont->OnChange = TNotifyEvent(this, &TCanvas::ToolChanged);
    FPen->OnChange = TNotifyEvent(this, &TCanvas::ToolChanged);
    FBrush->OnChange = TNotifyEvent(this, &TCanvas::ToolChanged);
}

TCanvas::~TCanvas() { DeselectTools(); }

HDC TCanvas::Handle() {
    if (!FHandle) CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == FHandle) return;
    DeselectTools();
    FHandle = dc;
}

void TCanvas::CreateHandle() {}
void TCanvas::FreeHandle() { SetHandle(nullptr); }

// A tool's GDI object is remade after a change; it must not be selected
// into the context while it is deleted.
void TCanvas::ToolChanged(TObject*) { DeselectTools(); }

void TCanvas::DeselectTools() {
    if (FHandle && FToolsSelected) {
        SelectObject(FHandle, FOldFont);
        SelectObject(FHandle, FOldPen);
        SelectObject(FHandle, FOldBrush);
    }
    FToolsSelected = false;
}

void TCanvas::RequireTools() {
    HDC dc = Handle();
    if (FToolsSelected) return;
    FOldFont = SelectObject(dc, FFont->Handle());
    FOldPen = SelectObject(dc, FPen->Handle());
    FOldBrush = SelectObject(dc, FBrush->Handle());
    SetTextColor(dc, ColorToRGB(FFont->Color()));
    SetBkColor(dc, ColorToRGB(FBrush->Color()));
    SetBkMode(dc, FBrush->Style() == bsClear ? TRANSPARENT : OPAQUE);
    FToolsSelected = true;
}

void TCanvas::Changing() { OnChange(this); }

void TCanvas::TextOut(int x, int y, const AnsiString& text) {
    RequireTools();
    ::TextOutA(FHandle, x, y, text.c_str(), static_cast<int>(text.size()));
    Changing();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const AnsiString& text) {
    RequireTools();
    ExtTextOutA(FHandle, x, y, ETO_CLIPPED | (FBrush->Style() != bsClear ? ETO_OPAQUE : 0), &rect, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
    Changing();
}

SIZE TCanvas::TextExtent(const AnsiString& text) {
    RequireTools();
    SIZE size{};
    GetTextExtentPoint32A(FHandle, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int TCanvas::TextWidth(const AnsiString& text) { return TextExtent(text).cx; }
int TCanvas::TextHeight(const AnsiString& text) { return TextExtent(text).cy; }

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    RequireTools();
    ::Rectangle(FHandle, x1, y1, x2, y2);
    Changing();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    RequireTools();
    ::RoundRect(FHandle, x1, y1, x2, y2, x3, y3);
    Changing();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    RequireTools();
    ::Ellipse(FHandle, x1, y1, x2, y2);
    Changing();
}

void TCanvas::FillRect(const TRect& rect) {
    RequireTools();
    ::FillRect(FHandle, &rect, FBrush->Handle());
    Changing();
}

void TCanvas::FrameRect(const TRect& rect) {
    RequireTools();
    ::FrameRect(FHandle, &rect, FBrush->Handle());
    Changing();
}

void TCanvas::MoveTo(int x, int y) {
    RequireTools();
    MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    RequireTools();
    ::LineTo(FHandle, x, y);
    Changing();
}

TColor TCanvas::Pixels(int x, int y) {
    RequireTools();
    return static_cast<TColor>(GetPixel(FHandle, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    RequireTools();
    SetPixelV(FHandle, x, y, ColorToRGB(color));
    Changing();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    StretchDraw(Rect(x, y, x + graphic->Width(), y + graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    RequireTools();
    graphic->Draw(this, rect);
    Changing();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    RequireTools();
    HDC from = source->Handle();
    SetStretchBltMode(FHandle, COLORONCOLOR);
    StretchBlt(FHandle, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from,
               sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
               sourceRect.bottom - sourceRect.top, SRCCOPY);
    Changing();
}
