// SnapviewRegister /register <path of Snapview.dll>
// SnapviewRegister /unregister
// Exit code 0 on success, 1 on a usage error, 2 when the registry or the
// type library refused (the HRESULT is printed).
#include "registration.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

int Usage() {
    std::fputs("usage: SnapviewRegister /register <Snapview.dll>\n"
               "       SnapviewRegister /unregister\n",
               stderr);
    return 1;
}

std::wstring FullPath(const wchar_t* path) {
    wchar_t full[MAX_PATH];
    DWORD length = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return path;
    return full;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const bool doRegister = _wcsicmp(argv[1], L"/register") == 0;
    const bool doUnregister = _wcsicmp(argv[1], L"/unregister") == 0;
    if (!(doRegister && argc == 3) && !(doUnregister && argc == 2)) return Usage();
    if (doRegister && GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "SnapviewRegister: no such file: %ls\n", argv[2]);
        return 1;
    }
    HRESULT hr = doRegister ? snapview_registration::Register(FullPath(argv[2]))
                            : snapview_registration::Unregister();
    if (FAILED(hr)) {
        std::fprintf(stderr, "SnapviewRegister: failed, HRESULT 0x%08lx\n",
                     static_cast<unsigned long>(hr));
        return 2;
    }
    std::puts(doRegister ? "registered" : "unregistered");
    return 0;
}
