#include "framework/controls/panel.h"

#include <algorithm>

#include "framework/controls/common_properties.h"
#include "framework/graphics/gdi_scope.h"

FRAME_DEFINE_ENUM_INFO(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")
FRAME_DEFINE_ENUM_INFO(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")

const TClassInfo& TPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPanel>::Creatable("TPanel", TCustomControl::StaticClass(), [](auto& c) {
        c.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
        c.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
        c.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
        c.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
        c.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth);
        PublishCaption(c);
        PublishColor(c, false);
        PublishCtl3D(c);
        PublishFont(c);
        PublishFocus(c, false);
    });
    return info;
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    FColor = clBtnFace;
    FParentColor = false;
    SetBounds(FLeft, FTop, 185, 41);
}

TPanel::~TPanel() = default;

void TPanel::Changed() {
    Invalidate();
    AlignControls();
}

void TPanel::SetAlignment(TAlignment value) { if (value != FAlignment) { FAlignment = value; Invalidate(); } }
void TPanel::SetBevelInner(TBevelCut value) { if (value != FBevelInner) { FBevelInner = value; Changed(); } }
void TPanel::SetBevelOuter(TBevelCut value) { if (value != FBevelOuter) { FBevelOuter = value; Changed(); } }
void TPanel::SetBevelWidth(int value) { if (value != FBevelWidth && value >= 1) { FBevelWidth = value; Changed(); } }
void TPanel::SetBorderWidth(int value) { if (value != FBorderWidth && value >= 0) { FBorderWidth = value; Changed(); } }

void TPanel::TextChanged() { Invalidate(); }

void TPanel::AdjustClientRect(TRect& rect) const {
    int inset = FBorderWidth + (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
    InflateRect(&rect, -inset, -inset);
}

namespace {

// A bevel of the given width just inside rect, which then shrinks by it.
void Bevel(HDC dc, TRect& rect, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    if (cut != bvSpace) {
        TColor topLeft = cut == bvRaised ? clBtnHighlight : clBtnShadow;
        TColor bottomRight = cut == bvRaised ? clBtnShadow : clBtnHighlight;
        TGdiObject<HBRUSH> light(CreateSolidBrush(ColorToRGB(topLeft)));
        TGdiObject<HBRUSH> dark(CreateSolidBrush(ColorToRGB(bottomRight)));
        for (int i = 0; i < width; ++i) {
            RECT top{rect.left + i, rect.top + i, rect.right - i, rect.top + i + 1};
            RECT left{rect.left + i, rect.top + i, rect.left + i + 1, rect.bottom - i};
            RECT bottom{rect.left + i, rect.bottom - i - 1, rect.right - i, rect.bottom - i};
            RECT right{rect.right - i - 1, rect.top + i, rect.right - i, rect.bottom - i};
            FillRect(dc, &top, light.Handle());
            FillRect(dc, &left, light.Handle());
            FillRect(dc, &bottom, dark.Handle());
            FillRect(dc, &right, dark.Handle());
        }
    }
    InflateRect(&rect, -width, -width);
}

}  // namespace

void TPanel::Paint() {
    HDC dc = Canvas()->Handle();
    TRect r = ClientRect();
    Bevel(dc, r, FBevelOuter, FBevelWidth);
    InflateRect(&r, -FBorderWidth, -FBorderWidth);
    Bevel(dc, r, FBevelInner, FBevelWidth);
    if (FCaption.empty()) return;
    TSaveDC saved(dc);
    SelectObject(dc, FFont->Handle());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Enabled() ? FFont->Color() : clGrayText));
    static const UINT side[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    DrawTextA(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &r,
              side[FAlignment] | DT_VCENTER | DT_SINGLELINE);
}
