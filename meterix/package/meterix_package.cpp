// MeterixPackage.dll: the framework package that brings TProgressBarXProxy
// to a form designer, on the palette page "Embedded".
#include "progress_bar_x_proxy.h"

namespace {
const TPackageUnit kUnits[] = {{"Meterix_TLB"}};
const TPackageInfo kPackage{kUnits};
}  // namespace

FRAME_PACKAGE(kPackage)
FRAME_PACKAGE_REGISTER(Meterix_TLB)
