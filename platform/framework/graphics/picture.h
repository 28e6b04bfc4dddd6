// TPicture: holds one graphic of any kind (bitmap or icon) for a control
// and streams it as one binary value, "Data", whose content says its kind.
#pragma once
#include <memory>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/icon.h"

class TPicture : public TPersistent {
    FRAME_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Takes a copy of graphic (nullptr empties the picture).
    void SetGraphic(TGraphic* graphic);
    // The picture as a bitmap: an empty bitmap replaces another kind.
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // By the file's content: bitmap or icon (EInvalidGraphic otherwise).
    void LoadFromFile(const AnsiString& fileName);
    void LoadFromBytes(TBytes bytes);
    void SaveToFile(const AnsiString& fileName);

    void Assign(const TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;

private:
    void Adopt(std::unique_ptr<TGraphic> graphic);
    void GraphicChanged(TObject* sender);
    std::unique_ptr<TGraphic> FGraphic;
};
