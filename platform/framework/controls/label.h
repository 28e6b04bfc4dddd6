// TLabel: a line of text drawn in its parent's window. With AutoSize
// (the default) it takes the size of its caption in its font whenever
// the caption or the font changes, so a width set by hand lasts only
// until the next change of text.
#pragma once
#include "framework/controls/graphic_control.h"

class TLabel : public TGraphicControl {
    FRAME_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);
    ~TLabel() override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;

private:
    void AdjustBounds();
    bool FAutoSize = true;
    bool FTransparent = false;
};
