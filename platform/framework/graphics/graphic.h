// TGraphic: a picture that can draw itself on a canvas and read and
// write itself as a file or stream (bitmaps, icons).
#pragma once
#include "framework/classes/streams.h"
#include "framework/graphics/canvas.h"

class TGraphic : public TPersistent {
    FRAME_CLASS(TGraphic, TPersistent)
public:
    ~TGraphic() override;
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    void LoadFromFile(const AnsiString& fileName);
    void SaveToFile(const AnsiString& fileName);
    TBytes SaveToBytes();
    // Through a stream over the bytes; a graphic that can keep them does
    // so instead.
    virtual void LoadFromBytes(TBytes bytes);

    // A transparent graphic leaves the pixels of its transparent colour
    // (bitmaps: the bottom-left pixel) undrawn.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;
    void Changed();

private:
    bool FTransparent = false;
};
