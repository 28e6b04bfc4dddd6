#include "framework/package/unwind_tables.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" void __register_frame(void*);
extern "C" void __deregister_frame(void*);

// Long section names live in the image file's string table, which is not
// mapped: the name is read from the file on disk.
void* FindUnwindTables(HMODULE module) {
    if (!module) return nullptr;
    auto base = reinterpret_cast<BYTE*>(module);
    auto dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
    std::vector<char> strings;
    if (nt->FileHeader.PointerToSymbolTable) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(module, path, MAX_PATH);
        if (FILE* f = std::fopen(path, "rb")) {
            long at = static_cast<long>(nt->FileHeader.PointerToSymbolTable + nt->FileHeader.NumberOfSymbols * 18);
            uint32_t size = 0;
            if (std::fseek(f, at, SEEK_SET) == 0 && std::fread(&size, 4, 1, f) == 1 && size >= 4 && size < (1u << 26)) {
                strings.resize(size);
                std::fseek(f, at, SEEK_SET);
                if (std::fread(strings.data(), 1, size, f) != size) strings.clear();
            }
            std::fclose(f);
        }
    }
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
        char name[9] = {};
        std::memcpy(name, sections[i].Name, 8);
        const char* full = name;
        if (name[0] == '/' && !strings.empty()) {
            unsigned offset = static_cast<unsigned>(std::atoi(name + 1));
            if (offset < strings.size()) full = strings.data() + offset;
        }
        if (std::strcmp(full, ".eh_frame") == 0 || std::strcmp(full, ".eh_fram") == 0)
            return base + sections[i].VirtualAddress;
    }
    return nullptr;
}

void RegisterUnwindTables(HMODULE module) {
    if (void* tables = FindUnwindTables(module)) __register_frame(tables);
}

void DeregisterUnwindTables(HMODULE module) {
    if (void* tables = FindUnwindTables(module)) __deregister_frame(tables);
}

void PrimeUnwinder() {
    try {
        throw 0;
    } catch (int) {
    }
}
