#include "probe_form.h"

const TClassInfo& TProbeForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TProbeForm>::Creatable("TProbeForm", TForm::StaticClass(), [](auto& c) {
        c.Component("Back", &TProbeForm::Back);
        c.Component("Front", &TProbeForm::Front);
        c.Component("Ground", &TProbeForm::Ground);
        c.Component("Badge", &TProbeForm::Badge);
        c.Component("Ticker", &TProbeForm::Ticker);
        c.Method("FormClick", &TProbeForm::FormClick);
        c.Method("FormShow", &TProbeForm::FormShow);
        c.Method("BackClick", &TProbeForm::BackClick);
        c.Method("FrontClick", &TProbeForm::FrontClick);
        c.Method("FrontMouseDown", &TProbeForm::FrontMouseDown);
        c.Method("TickerTimer", &TProbeForm::TickerTimer);
        c.Method("FormKeyPress", &TProbeForm::FormKeyPress);
    });
    return info;
}

const TClassInfo& TOrphanForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TOrphanForm>::Creatable("TOrphanForm", TForm::StaticClass());
    return info;
}

TProbeForm::TProbeForm(TComponent* owner) : TForm(owner) {}
TProbeForm::~TProbeForm() = default;

void TProbeForm::FormClick(TObject*) {
    Clicks.push_back("form");
    if (ThrowOnClick) throw EInvalidOperation("boom from a handler");
}
void TProbeForm::FormShow(TObject*) { ++Shows; }
void TProbeForm::BackClick(TObject*) { Clicks.push_back("back"); }
void TProbeForm::FrontClick(TObject*) { Clicks.push_back("front"); }
void TProbeForm::FrontMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
    Clicks.push_back(Format("down %d,%d", x, y));
}
void TProbeForm::TickerTimer(TObject*) { ++Ticks; }
void TProbeForm::FormKeyPress(TObject*, char& key) { Typed += key; }
