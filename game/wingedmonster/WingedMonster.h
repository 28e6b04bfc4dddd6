// TWingedMonster: a 64 by 64 picture that animates a winged monster from
// three image lists and moves itself across its parent in fixed steps,
// one step and one frame per call of Move.
#pragma once
#include "framework/framework.h"

enum TMonsterDirection : uint8_t { mdLeft, mdRight, mdUp, mdDown };
FRAME_TYPE_INFO(TMonsterDirection);

class TWingedMonster : public TImage {
    FRAME_CLASS(TWingedMonster, TImage)
public:
    explicit TWingedMonster(TComponent* owner);
    ~TWingedMonster() override;

    void MoveHorizontal();
    void MoveVertical();
    void MoveLeft();
    void MoveRight();
    void MoveUp();
    void MoveDown();
    // One tick of the monster's life: turn at the parent's edges, one
    // horizontal step, and while dead one step down (or up).
    void Move();

    TImageList* LeftImages() const { return FLeftImages; }
    TImageList* RightImages() const { return FRightImages; }
    TImageList* DeathImages() const { return FDeathImages; }
    // The lists belong to the owner; the monster forgets one that is freed.
    void SetLeftImages(TImageList* value) { Watch(FLeftImages, value); }
    void SetRightImages(TImageList* value) { Watch(FRightImages, value); }
    void SetDeathImages(TImageList* value) { Watch(FDeathImages, value); }

    int HorizontalTravel() const { return FHorizontalTravel; }
    void SetHorizontalTravel(int value) { FHorizontalTravel = value; }
    int VerticalTravel() const { return FVerticalTravel; }
    void SetVerticalTravel(int value) { FVerticalTravel = value; }
    // Writing Alive changes nothing else at once: the picture follows at the next step.
    bool Alive() const { return FAlive; }
    void SetAlive(bool value) { FAlive = value; }
    TMonsterDirection Direction() const { return FDirection; }
    void SetDirection(TMonsterDirection value) { FDirection = value; }

    // A press on the monster and the release that follows are one click on
    // it, wherever the release falls: the monster flies on between the two
    // and may no longer be under the pointer when the button comes up.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    // Unpublished state.
    int FrameIndex = 0;     // the next frame to draw from the list in use
    bool MovingLeft = true;  // sense of a horizontal step
    bool MovingUp = false;   // sense of a vertical step

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Watch(TImageList*& field, TImageList* value);
    // Draws frame FrameIndex of list (if it has one), then advances the index.
    void DrawFrame(TImageList* list);
    void AdvanceFrame(TImageList* list);

    TImageList* FLeftImages = nullptr;
    TImageList* FRightImages = nullptr;
    TImageList* FDeathImages = nullptr;
    int FHorizontalTravel = 0;
    int FVerticalTravel = 0;
    bool FAlive = true;
    TMonsterDirection FDirection = mdLeft;
    bool FPressed = false;  // the left button went down on the monster
};

// Each unit that offers components has its own Register; the namespace
// keeps them apart when a designer package links several units together.
namespace WingedMonster {
// Puts the component on the palette page "Corvane".
void Register();
}  // namespace WingedMonster
