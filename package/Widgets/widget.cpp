#include "Widgets/widget.h"

#include "framework/classes/published.h"

namespace {

constexpr int WidgetSize = 25;

}  // namespace

const TClassInfo& TWidget::StaticClass() {
    static const TClassInfo info = TClassBuilder<TWidget>::Creatable("TWidget", TCustomControl::StaticClass(),
        [](auto& c) {
            c.Property("Cost", &TWidget::Cost, &TWidget::SetCost);
            c.Property("TimeCreated", &TWidget::GetTimeCreated, &TWidget::SetTimeCreated);
            c.Property("Description", &TWidget::Description, &TWidget::SetDescription);
            c.Publish("OnDragDrop");
            c.Publish("OnMouseDown");
            // The program starts a widget's drag, never the widget itself.
            c.Hide("DragMode");
            c.Hide("DragCursor");
        });
    return info;
}

TWidget::TWidget(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(Left(), Top(), WidgetSize, WidgetSize);
}

TWidget::TWidget(TComponent* AOwner, int X, int Y) : TCustomControl(AOwner) {
    SetBounds(X, Y, WidgetSize, WidgetSize);
    OnMouseDown = TMouseEvent(this, &TWidget::WidgetMouseDown);
}

TWidget::~TWidget() = default;

AnsiString TWidget::GetTimeCreated() const { return DateTimeToStr(FTimeCreated); }

void TWidget::SetTimeCreated(AnsiString Value) { FTimeCreated = StrToDateTime(Value); }

void TWidget::WidgetMouseDown(TObject*, TMouseButton, TShiftState, int, int) { ShowMessage(Format("%m", FCost)); }

void TWidget::PaintWidget(TColor square, TColor disc) {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(square);
    canvas->Rectangle(0, 0, ClientWidth(), ClientHeight());
    canvas->Brush()->SetColor(disc);
    canvas->Ellipse(0, 0, ClientWidth(), ClientHeight());
}

void TWidget::Paint() { PaintWidget(clBlue, clYellow); }

const TClassInfo& TChip::StaticClass() {
    static const TClassInfo info = TClassBuilder<TChip>::Creatable("TChip", TWidget::StaticClass());
    return info;
}

TChip::TChip(TComponent* AOwner) : TWidget(AOwner) {}
TChip::TChip(TComponent* AOwner, int X, int Y) : TWidget(AOwner, X, Y) {}

const TClassInfo& TPentium::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPentium>::Creatable("TPentium", TChip::StaticClass());
    return info;
}

TPentium::TPentium(TComponent* AOwner) : TChip(AOwner) {}
TPentium::TPentium(TComponent* AOwner, int X, int Y) : TChip(AOwner, X, Y) {}

void TPentium::Paint() { PaintWidget(clPurple, clRed); }

const TClassInfo& TPentiumPro::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPentiumPro>::Creatable("TPentiumPro", TChip::StaticClass());
    return info;
}

TPentiumPro::TPentiumPro(TComponent* AOwner) : TChip(AOwner) {}
TPentiumPro::TPentiumPro(TComponent* AOwner, int X, int Y) : TChip(AOwner, X, Y) {}

void TPentiumPro::Paint() { PaintWidget(clGreen, clBlue); }
