// Entry points of the runtime package frame35.
#include "framework/package/unwind_tables.h"

extern "C" void FramePackageAttachClient(HMODULE client) {
    PrimeUnwinder();
    RegisterUnwindTables(client);
}
extern "C" void FramePackageDetachClient(HMODULE client) { DeregisterUnwindTables(client); }
