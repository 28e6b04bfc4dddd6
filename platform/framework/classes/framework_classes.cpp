#include "framework/classes/framework_classes.h"

#include "framework/classes/class_registry.h"
#include "framework/controls/bevel.h"
#include "framework/controls/bit_btn.h"
#include "framework/controls/check_box.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/edit.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/list_box.h"
#include "framework/controls/menus.h"
#include "framework/controls/panel.h"
#include "framework/controls/progress_bar.h"
#include "framework/controls/radio_button.h"
#include "framework/controls/shape.h"
#include "framework/controls/speed_button.h"
#include "framework/controls/timer.h"
#include "framework/forms/color_dialog.h"
#include "framework/forms/form.h"
#include "framework/graphics/image_list.h"

void RegisterFrameworkClasses() {
    RegisterClasses({&TComponent::StaticClass(), &TImage::StaticClass(), &TTimer::StaticClass(),
                     &TImageList::StaticClass(), &TForm::StaticClass()});
    RegisterClasses({&TLabel::StaticClass(), &TSpeedButton::StaticClass(), &TBevel::StaticClass()});
    RegisterClasses({&TButton::StaticClass(), &TBitBtn::StaticClass(), &TEdit::StaticClass(), &TPanel::StaticClass(),
                     &TCheckBox::StaticClass(), &TRadioButton::StaticClass(), &TComboBox::StaticClass(),
                     &TListBox::StaticClass(), &TProgressBar::StaticClass(), &TShape::StaticClass(),
                     &TPopupMenu::StaticClass(), &TMenuItem::StaticClass(), &TColorDialog::StaticClass()});
}
