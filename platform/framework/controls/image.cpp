#include "framework/controls/image.h"

#include "framework/classes/published.h"

const TClassInfo& TImage::StaticClass() {
    static const TClassInfo info = TClassBuilder<TImage>::Creatable("TImage", TGraphicControl::StaticClass(), [](auto& c) {
        c.Property("Center", &TImage::Center, &TImage::SetCenter);
        c.Property("Picture", &TImage::Picture, &TImage::SetPicture);
        c.Property("Stretch", &TImage::Stretch, &TImage::SetStretch);
        c.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent);
    });
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
    FPicture->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
    SetBounds(FLeft, FTop, 105, 105);
}

TImage::~TImage() = default;

void TImage::SetStretch(bool value) { if (value != FStretch) { FStretch = value; Invalidate(); } }
void TImage::SetCenter(bool value) { if (value != FCenter) { FCenter = value; Invalidate(); } }
void TImage::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    PictureChanged(nullptr);
}

void TImage::PictureChanged(TObject*) {
    if (TGraphic* g = FPicture->Graphic()) {
        if (g->Transparent() != FTransparent && ObjectAs<TBitmap>(g)) {
            // Setting the flag calls back here; the flag is then equal.
            g->SetTransparent(FTransparent);
            return;
        }
    }
    Invalidate();
}

void TImage::Paint() {
    TGraphic* g = FPicture->Graphic();
    if (!g || g->Empty()) return;
    if (FStretch) {
        Canvas()->StretchDraw(Rect(0, 0, Width(), Height()), g);
    } else if (FCenter) {
        Canvas()->Draw((Width() - g->Width()) / 2, (Height() - g->Height()) / 2, g);
    } else {
        Canvas()->Draw(0, 0, g);
    }
}
