#include "framework/forms/color_dialog.h"

#include <windows.h>
#include <commdlg.h>

#include "framework/classes/published.h"
#include "framework/forms/dialog_seam.h"
#include "framework/system/delayed_imports.h"

const TClassInfo& TColorDialog::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TColorDialog>::Creatable("TColorDialog", TComponent::StaticClass(), [](auto& c) {
            c.Property("Color", &TColorDialog::Color, &TColorDialog::SetColor).Default(clBlack);
            c.Property("Ctl3D", &TColorDialog::Ctl3D, &TColorDialog::SetCtl3D).NoDefault();
        });
    return info;
}

TColorDialog::TColorDialog(TComponent* owner) : TComponent(owner) { FCustomColors.fill(RGB(255, 255, 255)); }

TColorDialog::~TColorDialog() = default;

// The chooser belongs to the active window of the program, which it
// disables while it is open.
bool TColorDialog::Execute() {
    TDialogQuestion question;
    question.Kind = TDialogKind::Color;
    question.Caption = "Color";
    question.Color = FColor;
    if (std::optional<TDialogAnswer> answer = AskDialogAnswerer(question)) {
        if (answer->Result != mrOk) return false;
        FColor = answer->Color;
        return true;
    }
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = GetActiveWindow();
    choose.rgbResult = ColorToRGB(FColor);
    choose.lpCustColors = FCustomColors.data();
    choose.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (!Delayed::ChooseColorA(&choose)) return false;
    FColor = static_cast<TColor>(choose.rgbResult);
    return true;
}
