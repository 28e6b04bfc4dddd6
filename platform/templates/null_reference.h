// Interface and class identifiers arrive as references, but a careless
// caller across the object model can pass a null pointer for one. The
// compiler assumes a reference is never null and would drop a plain check,
// so the address is hidden from it before it is compared.
#pragma once
#include <windows.h>

namespace tpl {

inline bool IsNull(const GUID& id) {
    const GUID* address = &id;
    asm volatile("" : "+r"(address));
    return address == nullptr;
}

}  // namespace tpl
