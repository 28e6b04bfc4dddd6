// TColorDialog: the platform's colour chooser as a component. Execute
// shows it starting from Color and, when the user confirms, puts the
// colour picked into Color and returns true. The sixteen custom colours
// the user mixes stay with the component between calls. It asks the
// dialog answerer first (dialog_seam.h).
#pragma once
#include <windows.h>

#include <array>

#include "framework/classes/component.h"
#include "framework/graphics/colors.h"

class TColorDialog : public TComponent {
    FRAME_CLASS(TColorDialog, TComponent)
public:
    explicit TColorDialog(TComponent* owner);
    ~TColorDialog() override;

    bool Execute();
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }
    // Kept for forms that set it; the platform's chooser draws itself.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value) { FCtl3D = value; }

private:
    TColor FColor = clBlack;
    bool FCtl3D = true;
    std::array<COLORREF, 16> FCustomColors;
};
