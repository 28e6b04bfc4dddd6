// Pallets: 25 by 25 squares in their own colour (blue to start with),
// each with a pallet number. TPallet leaves its drag events to the
// program; TDataPallet (data_pallet.h) stores the widgets dropped on it.
#pragma once
#include <memory>

#include "Corvane/Exports.h"
#include "MyObject/MyObject.h"
#include "framework/framework.h"

class CORVANE_API TCustomPallet : public TCustomControl {
    FRAME_CLASS(TCustomPallet, TCustomControl)
public:
    explicit TCustomPallet(TComponent* AOwner);
    ~TCustomPallet() override;

    int PalletNumber() const { return FPalletNumber; }
    void SetPalletNumber(int Value) { FPalletNumber = Value; }

protected:
    void Paint() override;

private:
    int FPalletNumber = 0;
    // Lines the pallet may collect; nothing writes them yet.
    std::unique_ptr<TListHierarchy> FHierarchy = std::make_unique<TListHierarchy>();
};

class CORVANE_API TPallet : public TCustomPallet {
    FRAME_CLASS(TPallet, TCustomPallet)
public:
    explicit TPallet(TComponent* AOwner);
};

// What TPallet and TDataPallet publish the same way: the number, stream
// default 0; the colour, written while it is the pallet's own.
template <class Builder>
void PublishPalletNumber(Builder& c) {
    c.Property("PalletNumber", &TCustomPallet::PalletNumber, &TCustomPallet::SetPalletNumber);
}
template <class Builder>
void PublishPalletColor(Builder& c) {
    c.Property("Color", &TControl::Color, &TControl::SetColor).Stored(&TControl::ColorStored);
}
