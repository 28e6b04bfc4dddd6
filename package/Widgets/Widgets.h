// Unit Widgets of the component package: widgets, chips and pallets, and
// the two functions that make them known. Register puts five of them on
// the palette page "Corvan" (TChip is not among them); RegisterShort only
// makes four known by name for reading forms, for programs.
#pragma once
#include "Widgets/data_pallet.h"
#include "Widgets/pallet.h"
#include "Widgets/widget.h"

namespace Widgets {

void Register();
void RegisterShort();

}  // namespace Widgets
