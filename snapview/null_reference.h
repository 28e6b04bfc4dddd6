// Identifiers arrive as references, but a careless caller across the
// object model can pass a null pointer for one. The compiler assumes a
// reference is never null and would drop a plain check, so the address is
// hidden from it before it is compared.
#pragma once
#include <windows.h>

#include <ostream>

namespace snapview {

inline bool IsNull(const GUID& id) {
    const GUID* address = &id;
    asm volatile("" : "+r"(address));
    return address == nullptr;
}

// Writes an identifier's first field as the trace lines show it (lower-case
// hexadecimal), or "null" for a null identifier.
struct IdField {
    const GUID& id;
};
inline std::ostream& operator<<(std::ostream& out, IdField field) {
    if (IsNull(field.id)) return out << "null";
    return out << std::hex << field.id.Data1;
}

}  // namespace snapview
