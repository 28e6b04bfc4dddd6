// TImage: shows a picture, at its natural size from the top-left corner
// or stretched to the control.
#pragma once
#include "framework/controls/graphic_control.h"
#include "framework/graphics/picture.h"

class TImage : public TGraphicControl {
    FRAME_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* value) { FPicture->Assign(value); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* sender);
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
};
