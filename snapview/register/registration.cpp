#include "registration.h"

#include <oleauto.h>

#include <vector>

namespace snapview_registration {
namespace {

constexpr wchar_t kClsid[] = L"{9B0E22C4-97EC-11D1-AAD7-00C04FAD1EAD}";
constexpr wchar_t kLibId[] = L"{9B0E22C0-97EC-11D1-AAD7-00C04FAD1EAD}";
constexpr GUID kLibGuid = {0x9B0E22C0, 0x97EC, 0x11D1, {0xAA, 0xD7, 0x00, 0xC0, 0x4F, 0xAD, 0x1E, 0xAD}};
constexpr wchar_t kUserType[] = L"Quibb's Clipboard Control";
constexpr wchar_t kShortName[] = L"Snapview";
// Recompose on resize, no linking inside, inside-out activation when
// visible, and the client site wanted before loading.
constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_SETCLIENTSITEFIRST;
// Type libraries are registered per platform: the 32-bit and the 64-bit
// server each under their own key.
#ifdef _WIN64
constexpr SYSKIND kSysKind = SYS_WIN64;
constexpr wchar_t kPlatformKey[] = L"win64";
#else
constexpr SYSKIND kSysKind = SYS_WIN32;
constexpr wchar_t kPlatformKey[] = L"win32";
#endif

struct Entry {
    std::wstring key;    // below HKEY_CLASSES_ROOT
    const wchar_t* name; // null: the key's default value
    std::wstring value;
};

std::vector<Entry> Entries(const std::wstring& path) {
    const std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsid;
    return {
        {clsidKey, nullptr, kUserType},
        {clsidKey + L"\\InprocServer32", nullptr, path},
        {clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsidKey + L"\\ProgID", nullptr, kProgId},
        {clsidKey + L"\\VersionIndependentProgID", nullptr, kVersionIndependentProgId},
        {clsidKey + L"\\TypeLib", nullptr, kLibId},
        {clsidKey + L"\\Version", nullptr, L"1.0"},
        {clsidKey + L"\\Control", nullptr, L""},
        {clsidKey + L"\\ToolboxBitmap32", nullptr, path + L", 1"},
        {clsidKey + L"\\MiscStatus", nullptr, L"0"},
        {clsidKey + L"\\MiscStatus\\1", nullptr, std::to_wstring(kMiscStatus)},
        // The primary verb grabs the clipboard again.
        {clsidKey + L"\\Verb\\0", nullptr, L"&Grab from Clipboard,0,2"},
        {clsidKey + L"\\AuxUserType\\2", nullptr, kShortName},
        {clsidKey + L"\\AuxUserType\\3", nullptr, kUserType},
        {kProgId, nullptr, kUserType},
        {std::wstring(kProgId) + L"\\CLSID", nullptr, kClsid},
        {kVersionIndependentProgId, nullptr, kUserType},
        {std::wstring(kVersionIndependentProgId) + L"\\CLSID", nullptr, kClsid},
        {std::wstring(kVersionIndependentProgId) + L"\\CurVer", nullptr, kProgId},
        // The library is registered for US English; the control asks for
        // the neutral locale, which the runtime does not map to it.
        {std::wstring(L"TypeLib\\") + kLibId + L"\\1.0\\0\\" + kPlatformKey, nullptr, path},
    };
}

HRESULT WriteEntry(const Entry& entry) {
    HKEY key = nullptr;
    LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, 0,
                                  KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    const DWORD bytes = static_cast<DWORD>((entry.value.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(key, entry.name, 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(entry.value.c_str()), bytes);
    RegCloseKey(key);
    return HRESULT_FROM_WIN32(status);
}

void DeleteTree(const std::wstring& key) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
}

HRESULT RegisterLibrary(const std::wstring& path) {
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    hr = RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()), nullptr);
    library->Release();
    return hr;
}

}  // namespace

HRESULT Register(const std::wstring& libraryPath) {
    HRESULT hr = RegisterLibrary(libraryPath);
    for (const Entry& entry : Entries(libraryPath)) {
        if (FAILED(hr)) break;
        hr = WriteEntry(entry);
    }
    if (FAILED(hr)) Unregister();
    return hr;
}

HRESULT Unregister() {
    // Also removes the interface entries the runtime wrote for the library.
    UnRegisterTypeLib(kLibGuid, 1, 0, 0x0409, kSysKind);
    DeleteTree(std::wstring(L"TypeLib\\") + kLibId);
    DeleteTree(std::wstring(L"CLSID\\") + kClsid);
    DeleteTree(kProgId);
    DeleteTree(kVersionIndependentProgId);
    return S_OK;
}

}  // namespace snapview_registration
