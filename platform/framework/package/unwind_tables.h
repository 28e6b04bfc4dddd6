// Exceptions that cross between the runtime package and a module using it.
//
// Every module links its own copy of the compiler's unwinder, and each
// copy only knows the unwind tables of its own module, so an exception
// thrown in one and caught in the other would end the program. Each
// module therefore hands its tables to the other's unwinder. Besides, a
// module's catch handlers run its own copy's register helpers even when
// the other copy unwinds, and those helpers set up their register table
// on the module's first own exception: PrimeUnwinder makes that happen
// at once.
#pragma once
#include <windows.h>

// The start of a loaded module's unwind tables, or nullptr.
void* FindUnwindTables(HMODULE module);
// Registers another module's tables with the calling module's unwinder.
void RegisterUnwindTables(HMODULE module);
void DeregisterUnwindTables(HMODULE module);
void PrimeUnwinder();

extern "C" {
// Exported by frame35: register a client module with the package's unwinder.
__declspec(dllexport) void FramePackageAttachClient(HMODULE client);
__declspec(dllexport) void FramePackageDetachClient(HMODULE client);
}
