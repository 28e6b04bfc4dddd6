#include "ddraw_entry.h"

namespace {
DirectDrawCreateFunction overrideEntry = nullptr;
}

DirectDrawCreateFunction FindDirectDrawCreate() {
    if (overrideEntry) return overrideEntry;
    static HMODULE library = LoadLibraryA("ddraw.dll");
    if (!library) return nullptr;
    return reinterpret_cast<DirectDrawCreateFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "DirectDrawCreate")));
}

void OverrideDirectDrawCreate(DirectDrawCreateFunction entry) { overrideEntry = entry; }
