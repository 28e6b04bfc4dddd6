#include "testing/handle_census.h"

namespace suite::testing {

namespace {

// Handle values of the graphics and window layers fit in 16 bits.
constexpr ULONG_PTR kHandleSlots = 0x10000;
// Wine numbers USER handles from 0x20 in steps of 2 and finds the same
// object under the odd value above each: only the even ones are asked.
constexpr ULONG_PTR kFirstUserSlot = 0x20;
constexpr ULONG_PTR kUserSlotStep = 2;
// Kernel handles are multiples of 4; this many free slots in a row end
// the table (far more than the holes a long run leaves behind).
constexpr int kFreeKernelSlotsAtEnd = 4096;

bool Ours(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    if (!Ours(window)) return TRUE;
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

// Asking every slot with IsWindow takes seconds under Wine; enumerating
// takes milliseconds.
DWORD CountWindows() {
    DWORD count = 0;
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    HWND messageOnly = nullptr;
    while ((messageOnly = FindWindowExW(HWND_MESSAGE, messageOnly, nullptr, nullptr))) {
        if (!Ours(messageOnly)) continue;
        ++count;
        EnumChildWindows(messageOnly, CountChild, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

DWORD CountMenus() {
    DWORD count = 0;
    for (ULONG_PTR slot = kFirstUserSlot; slot < kHandleSlots; slot += kUserSlotStep)
        if (IsMenu(reinterpret_cast<HMENU>(slot))) ++count;
    return count;
}

// GetIconInfo hands out copies of the icon's bitmaps, deleted at once.
DWORD CountIcons() {
    DWORD count = 0;
    for (ULONG_PTR slot = kFirstUserSlot; slot < kHandleSlots; slot += kUserSlotStep) {
        ICONINFO info{};
        if (!GetIconInfo(reinterpret_cast<HICON>(slot), &info)) continue;
        ++count;
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    return count;
}

}  // namespace

DWORD CountGdiObjects() {
    DWORD count = 0;
    for (ULONG_PTR slot = 1; slot < kHandleSlots; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++count;
    return count;
}

DWORD CountUserObjects() { return CountWindows() + CountMenus() + CountIcons(); }

DWORD CountKernelHandles() {
    DWORD count = 0;
    int freeInARow = 0;
    for (ULONG_PTR value = 4; freeInARow < kFreeKernelSlotsAtEnd; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            freeInARow = 0;
        } else {
            ++freeInARow;
        }
    }
    return count;
}

uint64_t CountPrivateBytes() {
    uint64_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

}  // namespace suite::testing
