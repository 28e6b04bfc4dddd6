#include "framework/controls/speed_button.h"

#include "framework/classes/published.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/gdi_scope.h"

const TClassInfo& TSpeedButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TSpeedButton>::Creatable("TSpeedButton", TGraphicControl::StaticClass(), [](auto& c) {
            c.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
            c.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
            c.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
            c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
            c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TSpeedButton::ColorStored);
            c.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
            c.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TSpeedButton::FontStored);
            c.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
            c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
            c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
            c.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing).Default(4);
        });
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner)
    : TGraphicControl(owner), FGlyph(std::make_unique<TBitmap>()) {
    FGlyph->OnChange = TNotifyEvent(this, &TSpeedButton::GlyphChanged);
    SetBounds(FLeft, FTop, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool value) {
    if (value == FFlat) return;
    FFlat = value;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* value) { FGlyph->Assign(value); }

// The glyph's bottom-left pixel marks its background, which is left
// undrawn so the button's face shows through.
void TSpeedButton::GlyphChanged(TObject*) {
    if (!FGlyph->Empty() && !FGlyph->Transparent()) {
        FGlyph->SetTransparent(true);  // calls back here once more
        return;
    }
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
    if (value == FGroupIndex) return;
    FGroupIndex = value;
    if (FGroupIndex == 0 && FDown) SetDown(false);
}

void TSpeedButton::SetDown(bool value) {
    if (FGroupIndex == 0) value = false;  // only a grouped button stays down
    if (value == FDown) return;
    FDown = value;
    if (FDown) ReleaseGroup();
    Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool value) { FAllowAllUp = value; }

void TSpeedButton::SetSpacing(int value) {
    if (value == FSpacing) return;
    FSpacing = value;
    Invalidate();
}

void TSpeedButton::ReleaseGroup() {
    if (!FParent || FGroupIndex == 0) return;
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        auto other = ObjectAs<TSpeedButton>(FParent->Controls(i));
        if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
            other->FDown = false;
            other->Invalidate();
        }
    }
}

void TSpeedButton::Click() {
    if (FGroupIndex != 0) {
        if (!FDown) SetDown(true);
        else if (FAllowAllUp) SetDown(false);
    }
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseEnter() {
    SetMouseInControl(true);
    TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
    SetMouseInControl(false);
    TGraphicControl::MouseLeave();
}

void TSpeedButton::SetMouseInControl(bool value) {
    if (value == FMouseInControl) return;
    FMouseInControl = value;
    if (FFlat) Invalidate();
}

void TSpeedButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect face = ClientRect();
    bool sunken = FPressed || FDown;
    canvas->Brush()->SetColor(FColor);
    canvas->FillRect(face);
    HDC dc = canvas->Handle();
    if (!FFlat) {
        TRect edge = face;
        DrawEdge(dc, &edge, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else if (sunken || (FMouseInControl && Enabled())) {
        TRect edge = face;
        DrawEdge(dc, &edge, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }

    // Glyph and caption side by side, the pair centred; a pressed button's
    // content moves one pixel down and right.
    SIZE text{0, 0};
    if (!FCaption.empty()) {
        TSelectObject font(dc, FFont->Handle());
        GetTextExtentPoint32A(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &text);
    }
    int glyphWidth = FGlyph->Empty() ? 0 : FGlyph->Width();
    int glyphHeight = FGlyph->Empty() ? 0 : FGlyph->Height();
    int gap = glyphWidth > 0 && text.cx > 0 ? FSpacing : 0;
    int shift = sunken ? 1 : 0;
    int x = (Width() - (glyphWidth + gap + text.cx)) / 2 + shift;
    if (glyphWidth > 0) {
        canvas->Draw(x, (Height() - glyphHeight) / 2 + shift, FGlyph.get());
        dc = canvas->Handle();
    }
    if (text.cx > 0) {
        TSaveDC saved(dc);
        SelectObject(dc, FFont->Handle());
        SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColorToRGB(Enabled() ? FFont->Color() : clGrayText));
        TextOutA(dc, x + glyphWidth + gap, (Height() - text.cy) / 2 + shift, FCaption.c_str(),
                 static_cast<int>(FCaption.size()));
    }
}
