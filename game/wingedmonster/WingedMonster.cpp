#include "WingedMonster.h"

FRAME_DEFINE_ENUM_INFO(TMonsterDirection, "mdLeft", "mdRight", "mdUp", "mdDown")

const TClassInfo& TWingedMonster::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TWingedMonster>::Creatable("TWingedMonster", TImage::StaticClass(), [](auto& c) {
            c.Property("LeftImages", &TWingedMonster::LeftImages, &TWingedMonster::SetLeftImages);
            c.Property("RightImages", &TWingedMonster::RightImages, &TWingedMonster::SetRightImages);
            c.Property("DeathImages", &TWingedMonster::DeathImages, &TWingedMonster::SetDeathImages);
            c.Property("HorizontalTravel", &TWingedMonster::FHorizontalTravel);
            c.Property("VerticalTravel", &TWingedMonster::FVerticalTravel);
            c.Property("Alive", &TWingedMonster::FAlive);
            c.Property("Direction", &TWingedMonster::FDirection);
        });
    return info;
}

TWingedMonster::TWingedMonster(TComponent* owner) : TImage(owner) {
    SetHeight(64);
    SetWidth(64);
    FrameIndex = 0;
    FAlive = true;
    MovingLeft = true;
    MovingUp = false;
    FDirection = mdLeft;
}

TWingedMonster::~TWingedMonster() = default;

void TWingedMonster::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) FPressed = true;
    TImage::MouseDown(button, shift, x, y);
}

// A release inside is the framework's click; one outside is ours.
void TWingedMonster::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    bool pressed = button == mbLeft && FPressed;
    if (button == mbLeft) FPressed = false;
    TImage::MouseUp(button, shift, x, y);
    bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (pressed && !inside) Click();
}

void TWingedMonster::Watch(TImageList*& field, TImageList* value) {
    if (field == value) return;
    TImageList* old = field;
    field = value;
    // Another property may still refer to the old list.
    if (old && old != FLeftImages && old != FRightImages && old != FDeathImages) RemoveFreeNotification(old);
    if (value) value->FreeNotification(this);
}

void TWingedMonster::Notification(TComponent* component, TOperation operation) {
    TImage::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FLeftImages) FLeftImages = nullptr;
    if (component == FRightImages) FRightImages = nullptr;
    if (component == FDeathImages) FDeathImages = nullptr;
}

void TWingedMonster::DrawFrame(TImageList* list) {
    if (FrameIndex < list->Count()) list->GetBitmap(FrameIndex, Picture()->Bitmap());
}

void TWingedMonster::AdvanceFrame(TImageList* list) {
    FrameIndex = FrameIndex + 1 < list->Count() ? FrameIndex + 1 : 0;
}

void TWingedMonster::MoveHorizontal() {
    TImageList* list = FAlive ? (MovingLeft ? FLeftImages : FRightImages) : FDeathImages;
    if (!list) return;
    DrawFrame(list);
    SetLeft(MovingLeft ? Left() - FHorizontalTravel : Left() + FHorizontalTravel);
    AdvanceFrame(list);
}

void TWingedMonster::MoveVertical() {
    TImageList* list = FAlive ? (MovingUp ? FLeftImages : FRightImages) : FDeathImages;
    if (!list) return;
    DrawFrame(list);
    SetTop(MovingUp ? Top() - FVerticalTravel : Top() + FVerticalTravel);
    AdvanceFrame(list);
}

void TWingedMonster::MoveLeft() {
    MovingLeft = true;
    MoveHorizontal();
}

void TWingedMonster::MoveRight() {
    MovingLeft = false;
    MoveHorizontal();
}

void TWingedMonster::MoveUp() {
    MovingUp = true;
    MoveVertical();
}

void TWingedMonster::MoveDown() {
    MovingUp = false;
    MoveVertical();
}

// Without a parent there are no edges to turn at; the monster still
// steps, so it can be animated on its own.
void TWingedMonster::Move() {
    if (Parent()) {
        int left = Left();
        if (left < 0) FDirection = mdRight;
        if (left > Parent()->Width()) FDirection = mdLeft;
    }
    if (FDirection == mdLeft)
        MoveLeft();
    else if (FDirection == mdRight)
        MoveRight();
    if (!FAlive) {
        if (MovingUp)
            MoveUp();
        else
            MoveDown();
    }
}

void WingedMonster::Register() { RegisterComponents("Corvane", {&TWingedMonster::StaticClass()}); }
