#include "framework/classes/framework_classes.h"

#include "framework/classes/class_registry.h"
#include "framework/controls/bevel.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/speed_button.h"
#include "framework/controls/timer.h"
#include "framework/forms/form.h"
#include "framework/graphics/image_list.h"

void RegisterFrameworkClasses() {
    RegisterClasses({&TComponent::StaticClass(), &TImage::StaticClass(), &TTimer::StaticClass(),
                     &TImageList::StaticClass(), &TForm::StaticClass()});
    RegisterClasses({&TLabel::StaticClass(), &TSpeedButton::StaticClass(), &TBevel::StaticClass()});
}
