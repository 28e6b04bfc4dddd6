// The drag in progress: at most one per program. TControl::BeginDrag
// starts it; the window holding the mouse capture (the source's own, or
// its parent's for a control without a window) hands it its mouse
// messages, and any framework window hands it Escape.
#pragma once
#include "framework/controls/control.h"

namespace drag_detail {

void Start(TControl* source, bool immediate);
// Ends the drag: drop on the accepting target under the pointer, or cancel.
void Finish(bool drop);
TControl* Source();
// True when the drag took the message (window is the capture window).
bool HandleMouse(HWND window, TMessage& message);
// True when the key (WM_KEYDOWN) was Escape and cancelled a drag.
bool HandleKey(WPARAM key);
// A control that goes away stops being source or target.
void Forget(TControl* control);

}  // namespace drag_detail
