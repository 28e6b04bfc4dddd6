#include "framework/controls/label.h"

#include "framework/classes/published.h"
#include "framework/graphics/gdi_scope.h"

const TClassInfo& TLabel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TLabel>::Creatable("TLabel", TGraphicControl::StaticClass(), [](auto& c) {
        c.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
        c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
        c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TLabel::ColorStored);
        c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TLabel::FontStored);
        c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
        c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
        c.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    });
    return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(FLeft, FTop, 65, 17); }

TLabel::~TLabel() = default;

void TLabel::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    AdjustBounds();
}

void TLabel::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Invalidate();
}

void TLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged() {
    AdjustBounds();
    TGraphicControl::FontChanged();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

// An empty caption is measured as one space so that an empty label keeps
// the height of a line of its font (and a few pixels of width) instead of
// collapsing to nothing.
void TLabel::AdjustBounds() {
    if (!FAutoSize || HasState(csLoading) || HasState(csDestroying)) return;
    HDC screen = MeasureDC();
    TSelectObject font(screen, FFont->Handle());
    AnsiString text = FCaption.empty() ? AnsiString(" ") : FCaption;
    RECT r{0, 0, 0, 0};
    DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    SetBounds(FLeft, FTop, r.right - r.left, r.bottom - r.top);
}

void TLabel::Paint() {
    TCanvas* canvas = Canvas();
    RECT r = ClientRect();
    if (!FTransparent) {
        canvas->Brush()->SetColor(FColor);
        canvas->FillRect(r);
    }
    HDC dc = canvas->Handle();
    TSaveDC saved(dc);
    SelectObject(dc, FFont->Handle());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Enabled() ? FFont->Color() : clGrayText));
    DrawTextA(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &r, DT_NOPREFIX | DT_SINGLELINE);
}
