// Hints: when the pointer rests on a control that shows hints (ShowHint),
// its Hint (or the nearest parent's) appears in a small window below
// the pointer, and goes when the pointer leaves the control, a button or
// key is pressed, or after a few seconds.
#pragma once
#include "framework/controls/control.h"

namespace hint_detail {

// The pointer moved over control.
void MouseOver(TControl* control);
// A button or key was pressed: no hint now.
void Cancel();
// The control goes away.
void Forget(TControl* control);

}  // namespace hint_detail
