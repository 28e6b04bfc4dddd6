// What this process holds, counted slot by slot. Wine answers zero for the
// platform's own counters (GUI resources, handle count, private usage), so
// a long run that watches for growth under Wine counts for itself. Each
// count is exact for this process and takes well under a second; none of
// them is needed on Windows, where the counters answer.
#pragma once
#include <windows.h>

#include <cstdint>

namespace suite::testing {

// GDI objects: every 16-bit handle value the graphics layer recognises
// (Wine accepts a handle's low word alone; stock objects included).
DWORD CountGdiObjects();
// USER objects: this process's windows (top-level, child and message-only),
// menus, and icons and cursors.
DWORD CountUserObjects();
// Kernel handles that are open: the handle table is filled from the bottom,
// so the count stops after a long run of free slots.
DWORD CountKernelHandles();
// Committed private memory: the platform's definition of private bytes,
// summed over the address space.
uint64_t CountPrivateBytes();

}  // namespace suite::testing
