#include "Widgets/pallet.h"

#include "framework/classes/published.h"

const TClassInfo& TCustomPallet::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomPallet>::Abstract("TCustomPallet", TCustomControl::StaticClass());
    return info;
}

TCustomPallet::TCustomPallet(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(Left(), Top(), 25, 25);
    SetColor(clBlue);
}

TCustomPallet::~TCustomPallet() = default;

void TCustomPallet::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->Rectangle(0, 0, ClientWidth(), ClientHeight());
}

const TClassInfo& TPallet::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPallet>::Creatable("TPallet", TCustomPallet::StaticClass(),
        [](auto& c) {
            PublishPalletNumber(c);
            c.Publish("OnDragDrop");
            c.Publish("OnDragOver");
            PublishPalletColor(c);
        });
    return info;
}

TPallet::TPallet(TComponent* AOwner) : TCustomPallet(AOwner) {}
