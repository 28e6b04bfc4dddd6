// Compiled into every module that uses the runtime package frame35: makes
// exceptions cross between this module and the package (unwind_tables.h).
#include "framework/package/unwind_tables.h"

namespace {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

struct PackageLink {
    HMODULE package = GetModuleHandleA("frame35.dll");
    HMODULE self = ThisModule();
    PackageLink() {
        if (!package || package == self) return;
        PrimeUnwinder();
        RegisterUnwindTables(package);
        FramePackageAttachClient(self);
    }
    ~PackageLink() {
        if (!package || package == self) return;
        FramePackageDetachClient(self);
        DeregisterUnwindTables(package);
    }
};

PackageLink Link;

}  // namespace
