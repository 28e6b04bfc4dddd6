// Build-time tool: puts back in a widl-made type library what widl 7 gets
// wrong or cannot express.
//   - The library identifier: widl damages its GUID-table entry when the
//     library holds both a dispinterface and a dual interface.
//   - A type's version: widl refuses version() on a dispinterface.
//
//   repair_typelib in.tlb out.tlb {LIBID} [version:INDEX:MAJOR.MINOR]...
#include <windows.h>
#include <objbase.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Offsets in the library's header and in a type's base record.
constexpr size_t kHeaderSize = 0x54;
constexpr size_t kLibidPosition = 0x08;
constexpr size_t kLibraryFlags = 0x14;
constexpr size_t kTypeCount = 0x20;
constexpr uint32_t kHasHelpDll = 0x100;
constexpr size_t kTypeVersion = 0x38;

class Library {
public:
    explicit Library(std::vector<char> data) : data_(std::move(data)) {}

    bool Valid() const { return data_.size() >= kHeaderSize && std::memcmp(data_.data(), "MSFT", 4) == 0; }
    uint32_t& U32(size_t at) { return *reinterpret_cast<uint32_t*>(data_.data() + at); }
    bool Fits(size_t at, size_t size) const { return at + size <= data_.size(); }

    // The segment directory follows the header, one offset per type and an
    // optional help-DLL name; segment 0 holds the types, segment 5 the GUIDs.
    size_t Segment(int index) {
        size_t directory = kHeaderSize + 4 * static_cast<size_t>(U32(kTypeCount)) +
                           ((U32(kLibraryFlags) & kHasHelpDll) ? 4 : 0);
        return U32(directory + 16 * static_cast<size_t>(index));
    }
    size_t Type(uint32_t index) {
        if (index >= U32(kTypeCount)) return SIZE_MAX;
        return Segment(0) + U32(kHeaderSize + 4 * static_cast<size_t>(index));
    }
    bool SetLibid(const GUID& libid) {
        size_t at = Segment(5) + U32(kLibidPosition);
        if (!Fits(at, sizeof libid)) return false;
        std::memcpy(data_.data() + at, &libid, sizeof libid);
        return true;
    }
    const std::vector<char>& Bytes() const { return data_; }

private:
    std::vector<char> data_;
};

bool Apply(Library& library, const std::string& change) {
    unsigned index = 0, major = 0, minor = 0;
    if (std::sscanf(change.c_str(), "version:%u:%u.%u", &index, &major, &minor) == 3) {
        size_t at = library.Type(index);
        if (at == SIZE_MAX || !library.Fits(at + kTypeVersion, 4)) return false;
        library.U32(at + kTypeVersion) = major | (minor << 16);
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: repair_typelib in.tlb out.tlb {LIBID} [changes...]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    Library library(std::vector<char>((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>()));
    wchar_t text[64];
    MultiByteToWideChar(CP_ACP, 0, argv[3], -1, text, 64);
    GUID libid;
    if (!library.Valid() || FAILED(CLSIDFromString(text, &libid)) || !library.SetLibid(libid)) {
        std::fprintf(stderr, "repair_typelib: %s is no type library of ours\n", argv[1]);
        return 1;
    }
    for (int i = 4; i < argc; ++i)
        if (!Apply(library, argv[i])) {
            std::fprintf(stderr, "repair_typelib: cannot apply %s\n", argv[i]);
            return 1;
        }
    std::ofstream out(argv[2], std::ios::binary);
    out.write(library.Bytes().data(), static_cast<std::streamsize>(library.Bytes().size()));
    return out ? 0 : 1;
}
