// Facts that differ between the 32-bit and the 64-bit build. The layout
// our contracts describe is 32-bit Windows; a test that checks one of its
// values states it (a static_assert on x86) and checks the 64-bit build's
// own value through these names.
#pragma once
#include <windows.h>
#include <oaidl.h>

#ifdef _WIN64
inline constexpr SYSKIND kBuildSysKind = SYS_WIN64;
inline constexpr char kTypeLibPlatformKey[] = "win64";
#else
inline constexpr SYSKIND kBuildSysKind = SYS_WIN32;
inline constexpr char kTypeLibPlatformKey[] = "win32";
#endif

// Bytes of one vtable slot: 4 on x86, 8 on x64.
inline constexpr int kVtableSlot = static_cast<int>(sizeof(void*));
