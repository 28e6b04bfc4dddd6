#include "Widgets/Widgets.h"

namespace Widgets {

void Register() {
    RegisterComponents("Corvan", {&TWidget::StaticClass(), &TPentium::StaticClass(), &TPentiumPro::StaticClass(),
                                  &TPallet::StaticClass(), &TDataPallet::StaticClass()});
}

void RegisterShort() {
    RegisterClasses({&TWidget::StaticClass(), &TPentium::StaticClass(), &TPentiumPro::StaticClass(),
                     &TPallet::StaticClass()});
}

}  // namespace Widgets
