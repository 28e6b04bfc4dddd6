// Build-time tool: widl 7 damages the library identifier of a type library
// that holds both a dispinterface and a dual interface (the last byte of the
// LIBID's entry in the GUID table comes out wrong). This copies the library
// and writes the identifier the IDL declares back into that entry.
//
//   restore_typelib_libid in.tlb out.tlb {LIBID}
#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

uint32_t U32(const std::vector<char>& d, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, d.data() + at, 4);
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: restore_typelib_libid in.tlb out.tlb {LIBID}\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    wchar_t text[64];
    MultiByteToWideChar(CP_ACP, 0, argv[3], -1, text, 64);
    GUID libid;
    if (data.size() < 0x54 || std::memcmp(data.data(), "MSFT", 4) != 0 ||
        FAILED(CLSIDFromString(text, &libid))) {
        std::fprintf(stderr, "restore_typelib_libid: bad input\n");
        return 1;
    }
    // The header, one offset per type, an optional help-DLL name, then the
    // segment directory whose sixth entry is the GUID table.
    const uint32_t libidPos = U32(data, 0x08);
    const uint32_t flags = U32(data, 0x14);
    const uint32_t typeCount = U32(data, 0x20);
    size_t segments = 0x54 + 4 * static_cast<size_t>(typeCount) + ((flags & 0x100) ? 4 : 0);
    size_t guidTableEntry = segments + 5 * 16;
    if (guidTableEntry + 4 > data.size()) return 1;
    size_t at = U32(data, guidTableEntry) + static_cast<size_t>(libidPos);
    if (at + sizeof libid > data.size()) return 1;
    std::memcpy(data.data() + at, &libid, sizeof libid);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    return out ? 0 : 1;
}
