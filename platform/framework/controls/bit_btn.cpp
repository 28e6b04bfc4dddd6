#include "framework/controls/bit_btn.h"

#include "framework/controls/common_properties.h"
#include "framework/forms/form.h"
#include "framework/graphics/gdi_scope.h"

FRAME_DEFINE_ENUM_INFO(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
                       "bkRetry", "bkIgnore", "bkAll")
FRAME_DEFINE_ENUM_INFO(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")

namespace {

struct TKindInfo {
    const char* Caption;
    TModalResult Result;
};

const TKindInfo Kinds[] = {
    {"", mrNone},       {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
    {"&Yes", mrYes},    {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
    {"&Retry", mrRetry}, {"&Ignore", mrIgnore}, {"&All", mrAll},
};

// The kinds' glyphs, drawn once: 18 by 18 on olive, the colour of the
// bottom-left pixel that the button leaves undrawn.
void Stroke(TCanvas* canvas, TColor color, int width, std::initializer_list<POINT> points) {
    canvas->Pen()->SetColor(color);
    canvas->Pen()->SetWidth(width);
    bool first = true;
    for (POINT p : points) {
        if (first) canvas->MoveTo(p.x, p.y);
        else canvas->LineTo(p.x, p.y);
        first = false;
    }
}

std::unique_ptr<TBitmap> MakeKindGlyph(TBitBtnKind kind) {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetPixelFormat(pf24bit);
    glyph->SetSize(18, 18);
    TCanvas* c = glyph->Canvas();
    c->Brush()->SetColor(clOlive);
    c->FillRect(Rect(0, 0, 18, 18));
    switch (kind) {
    case bkOK: case bkYes: Stroke(c, clGreen, 3, {{3, 9}, {7, 13}, {15, 4}}); break;
    case bkAll:
        Stroke(c, clGreen, 2, {{1, 9}, {4, 12}, {10, 4}});
        Stroke(c, clGreen, 2, {{7, 11}, {10, 14}, {16, 6}});
        break;
    case bkCancel: case bkAbort:
        Stroke(c, clRed, 3, {{4, 4}, {14, 14}});
        Stroke(c, clRed, 3, {{14, 4}, {4, 14}});
        break;
    case bkNo:
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(clRed);
        c->Pen()->SetWidth(2);
        c->Ellipse(3, 3, 15, 15);
        Stroke(c, clRed, 2, {{5, 13}, {13, 5}});
        break;
    case bkHelp: case bkIgnore:
        c->Font()->SetColor(kind == bkHelp ? clNavy : clGray);
        c->Font()->SetStyle(fsBold);
        c->Font()->SetHeight(-15);
        c->Brush()->SetStyle(bsClear);
        c->TextOut(5, 0, kind == bkHelp ? "?" : "!");
        break;
    case bkClose:
        c->Brush()->SetColor(clYellow);
        c->Pen()->SetColor(clBlack);
        c->Pen()->SetWidth(1);
        c->Rectangle(5, 2, 13, 17);
        Stroke(c, clBlack, 1, {{10, 9}, {11, 9}});
        break;
    case bkRetry:
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(clGreen);
        c->Pen()->SetWidth(2);
        c->Ellipse(3, 3, 15, 15);
        Stroke(c, clGreen, 2, {{12, 2}, {15, 5}, {11, 6}});
        break;
    case bkCustom: break;
    }
    glyph->SetTransparent(true);
    return glyph;
}

TBitmap* KindGlyph(TBitBtnKind kind) {
    static std::unique_ptr<TBitmap> glyphs[bkAll + 1];
    if (!glyphs[kind]) glyphs[kind] = MakeKindGlyph(kind);
    return glyphs[kind].get();
}

}  // namespace

const TClassInfo& TBitBtn::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBitBtn>::Creatable("TBitBtn", TButton::StaticClass(), [](auto& c) {
        // Kind comes after the caption and result it republishes: what a
        // form stores of those wins over the kind's (see SetKind).
        c.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
        // Stored decides alone: an empty caption or mrNone beside a kind is
        // not the default but a choice the kind must not override.
        c.Property("Caption", &TControl::Caption, &TControl::SetCaption).NoDefault().Stored(&TBitBtn::CaptionStored);
        c.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Stored(&TBitBtn::IsCustom);
        c.Property("Default", &TButton::Default, &TButton::SetDefault).Stored(&TBitBtn::IsCustom);
        c.Property("ModalResult", &TButton::ModalResult, &TBitBtn::SetResult)
            .NoDefault()
            .Stored(&TBitBtn::ModalResultStored);
        c.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
        c.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft);
        c.Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1);
        c.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4);
    });
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FGlyph(std::make_unique<TBitmap>()) {
    FGlyph->OnChange = TNotifyEvent(this, &TBitBtn::GlyphChanged);
}

TBitBtn::~TBitBtn() = default;

// A kind sets the caption, result, Default and Cancel; read from a form it
// keeps a caption or result the form gave, whichever came first.
void TBitBtn::SetKind(TBitBtnKind value) {
    if (value == FKind) return;
    FKind = value;
    if (value != bkCustom) {
        SetDefault(value == bkOK || value == bkYes);
        FCancel = value == bkCancel || value == bkNo;
        if (!(HasState(csLoading) && FCaptionRead)) TButton::SetCaption(Kinds[value].Caption);
        if (!(HasState(csLoading) && FResultRead)) FModalResult = Kinds[value].Result;
    }
    Invalidate();
}

void TBitBtn::SetCaption(const AnsiString& value) {
    if (HasState(csLoading)) FCaptionRead = true;
    TButton::SetCaption(value);
}

void TBitBtn::SetResult(int value) {
    if (HasState(csLoading)) FResultRead = true;
    SetModalResult(value);
}

void TBitBtn::Loaded() {
    TButton::Loaded();
    FCaptionRead = FResultRead = false;
}

bool TBitBtn::CaptionStored() const { return FKind == bkCustom || FCaption != Kinds[FKind].Caption; }
bool TBitBtn::ModalResultStored() const { return FKind == bkCustom || FModalResult != Kinds[FKind].Result; }

TBitmap* TBitBtn::ShownGlyph() const {
    if (!FGlyph->Empty()) return FGlyph.get();
    return FKind == bkCustom ? nullptr : KindGlyph(FKind);
}

void TBitBtn::GlyphChanged(TObject*) {
    if (!FGlyph->Empty() && !FGlyph->Transparent()) {
        FGlyph->SetTransparent(true);  // calls back here once more
        return;
    }
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value) { if (value != FLayout) { FLayout = value; Invalidate(); } }
void TBitBtn::SetMargin(int value) { if (value != FMargin) { FMargin = value; Invalidate(); } }
void TBitBtn::SetSpacing(int value) { if (value != FSpacing) { FSpacing = value; Invalidate(); } }

void TBitBtn::Click() {
    if (FKind != bkClose) {
        TButton::Click();
        return;
    }
    TButton::Click();
    if (TForm* form = GetParentForm(this)) form->Close();
}

void TBitBtn::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    params.Style = (params.Style & ~(BS_PUSHBUTTON | BS_DEFPUSHBUTTON)) | BS_OWNERDRAW;
}

void TBitBtn::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (m.Msg == CN_DRAWITEM) {
        DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    }
    TButton::Dispatch(message);
}

// The face, the edge (sunken while pressed), then glyph and caption laid
// out as Layout, Margin and Spacing say; the focused button gets the
// dotted focus frame and the default one a dark outline.
void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    TSaveDC saved(dc);
    TRect r = item.rcItem;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool focused = (item.itemState & ODS_FOCUS) != 0;
    bool disabled = (item.itemState & ODS_DISABLED) != 0;
    {
        TGdiObject<HBRUSH> face(CreateSolidBrush(ColorToRGB(clBtnFace)));
        FillRect(dc, &r, face.Handle());
    }
    if (FDefault || focused) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    TRect inner = r;
    InflateRect(&inner, -2, -2);

    TBitmap* glyph = ShownGlyph();
    SelectObject(dc, FFont->Handle());
    SIZE text{0, 0};
    RECT measure{0, 0, 0, 0};
    if (!FCaption.empty()) {
        DrawTextA(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
        text = {measure.right, measure.bottom};
    }
    SIZE image = glyph ? SIZE{glyph->Width(), glyph->Height()} : SIZE{0, 0};
    int gap = image.cx > 0 && text.cx > 0 ? FSpacing : 0;
    bool across = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    int total = across ? image.cx + gap + text.cx : image.cy + gap + text.cy;
    int room = across ? inner.right - inner.left : inner.bottom - inner.top;
    int start = FMargin < 0 ? (room - total) / 2 : FMargin;
    int shift = pressed ? 1 : 0;
    POINT glyphAt, textAt;
    int midX = inner.left + (inner.right - inner.left) / 2, midY = inner.top + (inner.bottom - inner.top) / 2;
    switch (FLayout) {
    case blGlyphLeft:
        glyphAt = {inner.left + start, midY - image.cy / 2};
        textAt = {glyphAt.x + image.cx + gap, midY - text.cy / 2};
        break;
    case blGlyphRight:
        glyphAt = {inner.right - start - image.cx, midY - image.cy / 2};
        textAt = {glyphAt.x - gap - text.cx, midY - text.cy / 2};
        break;
    case blGlyphTop:
        glyphAt = {midX - image.cx / 2, inner.top + start};
        textAt = {midX - text.cx / 2, glyphAt.y + image.cy + gap};
        break;
    default:
        glyphAt = {midX - image.cx / 2, inner.bottom - start - image.cy};
        textAt = {midX - text.cx / 2, glyphAt.y - gap - text.cy};
        break;
    }
    if (glyph) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Draw(glyphAt.x + shift, glyphAt.y + shift, glyph);
        canvas.SetHandle(nullptr);
    }
    if (text.cx > 0) {
        SelectObject(dc, FFont->Handle());
        SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColorToRGB(disabled ? clGrayText : FFont->Color()));
        RECT where{textAt.x + shift, textAt.y + shift, textAt.x + shift + text.cx, textAt.y + shift + text.cy};
        DrawTextA(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &where, DT_SINGLELINE);
    }
    if (focused) {
        TRect frame = r;
        InflateRect(&frame, -3, -3);
        DrawFocusRect(dc, &frame);
    }
}
