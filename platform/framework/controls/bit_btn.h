// TBitBtn: a push button that shows a glyph beside its caption. A Kind
// other than bkCustom gives it the framework's caption, glyph, modal
// result and Default or Cancel for that kind: an OK button reads "OK",
// shows a green check and ends its modal form with mrOk once its OnClick
// has run; a Close button closes its form.
#pragma once
#include <memory>

#include "framework/controls/button.h"
#include "framework/graphics/bitmap.h"

enum TBitBtnKind : uint8_t { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
FRAME_TYPE_INFO(TBitBtnKind);
enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
FRAME_TYPE_INFO(TButtonLayout);

class TBitBtn : public TButton {
    FRAME_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind value);
    // A glyph of one's own; while it is empty a kind shows the kind's.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value) { FGlyph->Assign(value); }
    // What the button shows: its own glyph, else its kind's (or nothing).
    TBitmap* ShownGlyph() const;
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    // Pixels from the edge to the glyph; -1 centres glyph and caption.
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    // Pixels between glyph and caption.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);

    void Click() override;
    void SetCaption(const AnsiString& value) override;
    // The result a form gives; read from a form it wins over the kind's.
    void SetResult(int value);

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& params) override;
    void Dispatch(void* message) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    void GlyphChanged(TObject* sender);
    bool IsCustom() const { return FKind == bkCustom; }
    bool CaptionStored() const;
    bool ModalResultStored() const;

    TBitBtnKind FKind = bkCustom;
    std::unique_ptr<TBitmap> FGlyph;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    // While loading: what the form gave explicitly, which the kind (read
    // after them, in its own place among the properties) must not replace.
    bool FCaptionRead = false;
    bool FResultRead = false;
};
