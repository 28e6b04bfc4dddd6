// TIcon: an icon file (one or more images) drawn at its first image's size.
#pragma once
#include <windows.h>

#include "framework/graphics/graphic.h"

class TIcon : public TGraphic {
    FRAME_CLASS(TIcon, TGraphic)
public:
    TIcon();
    ~TIcon() override;
    bool Empty() const override { return FData.empty(); }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    HICON Handle();
    int ImageCount() const;
    void Assign(const TPersistent* source) override;
    // Raises EInvalidGraphic for anything that is not an icon file.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;

private:
    void FreeHandle();
    TBytes FData;
    HICON FHandle = nullptr;
    int FWidth = 0;
    int FHeight = 0;
};
