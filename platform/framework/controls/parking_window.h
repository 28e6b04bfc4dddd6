// The framework's parking window: a hidden top-level window where a
// control keeps its window while it has no parent window to sit in (one
// made for a container that has not placed it yet, or one taken out of
// its parent). Notifications of parked controls are reflected to them as
// in any other parent.
#pragma once
#include <windows.h>

HWND ParkingWindow();
