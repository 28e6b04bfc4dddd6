// The package unit: Corvane.dll's unit table and entry points. Initialize
// and Finalize hand the table to the framework's package loader; each unit
// that registers something exports its Register as Register_<Unit>, which
// a form designer calls in unit order after Initialize.
#include "Clock1/Clock1.h"
#include "Clock2/Clock2.h"
#include "Corvan1/Corvan1.h"
#include "Corvan2/Corvan2.h"
#include "Widgets/Widgets.h"
#include "data/data.h"

namespace {

// The units in the order of their initializations.
const TPackageUnit units[] = {{"Types"},   {"Corvane"}, {"Clock2"},  {"Corvan1"},
                              {"Corvan2"}, {"Clock1"},  {"MyObject"}, {"Widgets"}};
// Neither design-only nor run-only: designers and programs load it alike.
const TPackageInfo package{units, 0};

// The package requires the framework's two runtime packages, frame35 and
// then framedb35, so that loading it brings data access along for the
// units that use it; this reference keeps framedb35 among its imports.
[[gnu::used]] const TClassInfo& (*const requiresDataAccess)() = &TTable::StaticClass;

}  // namespace

FRAME_PACKAGE(package)
FRAME_PACKAGE_REGISTER(Clock2)
FRAME_PACKAGE_REGISTER(Corvan1)
FRAME_PACKAGE_REGISTER(Corvan2)
FRAME_PACKAGE_REGISTER(Clock1)
FRAME_PACKAGE_REGISTER(Widgets)
// Nothing in the package calls it: a program may, to read forms that hold
// widgets without putting them on a palette.
extern "C" __declspec(dllexport) void RegisterShort_Widgets() { Widgets::RegisterShort(); }
