#include "bridge/registrars.h"

#include <utility>

#include "bridge/frame_errors.h"
#include "templates/com_module.h"

namespace {

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring CoclassDescription(ITypeInfo* coclass) {
    BSTR doc = nullptr;
    coclass->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr);
    std::wstring text = doc ? std::wstring(doc, SysStringLen(doc)) : std::wstring();
    SysFreeString(doc);
    return text;
}

void Check(LONG status, const std::wstring& key) {
    if (status != ERROR_SUCCESS) throw EWin32Error("Registry key " + FromWide(key), static_cast<unsigned long>(status));
}

}  // namespace

TComServerRegistrar::TComServerRegistrar(REFCLSID clsid, std::wstring progId, std::wstring description,
                                         std::wstring modulePath)
    : FProgId(std::move(progId)),
      FDescription(std::move(description)),
      FModulePath(std::move(modulePath)),
      FClassIdText(GuidText(clsid)) {
    FClassKey = L"CLSID\\" + FClassIdText;
}

TComServerRegistrar::~TComServerRegistrar() = default;

void TComServerRegistrar::WriteKey(const std::wstring& key, const std::wstring& value, const wchar_t* valueName,
                                   const std::wstring& named) {
    HKEY handle = nullptr;
    Check(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
          key);
    auto set = [&](const wchar_t* name, const std::wstring& text) {
        return RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    };
    LONG status = set(nullptr, value);
    if (status == ERROR_SUCCESS && valueName) status = set(valueName, named);
    RegCloseKey(handle);
    Check(status, key);
}

void TComServerRegistrar::DeleteTree(const std::wstring& key) {
    LONG status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    if (status != ERROR_FILE_NOT_FOUND) Check(status, key);
}

void TComServerRegistrar::RegisterServer() {
    WriteKey(FClassKey, FDescription);
    WriteKey(FClassKey + L"\\InprocServer32", FModulePath, L"ThreadingModel", L"Apartment");
    WriteKey(FProgId, FDescription);
    WriteKey(FProgId + L"\\CLSID", FClassIdText);
    WriteKey(FClassKey + L"\\ProgID", FProgId);
}

void TComServerRegistrar::UnregisterServer() {
    DeleteTree(FClassKey);
    DeleteTree(FProgId);
}

TTypedComServerRegistrar::TTypedComServerRegistrar(REFCLSID clsid, std::wstring progId, std::wstring modulePath,
                                                   ITypeLib* library, ITypeInfo* coclass)
    : TComServerRegistrar(clsid, std::move(progId), CoclassDescription(coclass), std::move(modulePath)),
      FLibrary(library) {
    FLibrary->AddRef();
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(FLibrary->GetLibAttr(&attributes))) {
        FVersion = ToWide(Format("%d.%d", attributes->wMajorVerNum, attributes->wMinorVerNum));
        FLibIdText = GuidText(attributes->guid);
        FLibrary->ReleaseTLibAttr(attributes);
    }
}

TTypedComServerRegistrar::~TTypedComServerRegistrar() { FLibrary->Release(); }

void TTypedComServerRegistrar::RegisterServer() {
    TComServerRegistrar::RegisterServer();
    WriteKey(FClassKey + L"\\Version", FVersion);
    WriteKey(FClassKey + L"\\Typelib", FLibIdText);
    HRESULT hr = RegisterTypeLib(FLibrary, FModulePath.data(), nullptr);
    if (FAILED(hr)) throw EWin32Error("Registering the type library", static_cast<unsigned long>(hr));
}

TAxControlRegistrar::TAxControlRegistrar(REFCLSID clsid, const TControlRegistration& registration,
                                         std::wstring modulePath, ITypeLib* library, ITypeInfo* coclass)
    : TTypedComServerRegistrar(clsid, registration.progId, std::move(modulePath), library, coclass),
      FRegistration(registration) {}

void TAxControlRegistrar::RegisterServer() {
    TTypedComServerRegistrar::RegisterServer();
    WriteKey(FClassKey + L"\\MiscStatus", L"0");
    WriteKey(FClassKey + L"\\MiscStatus\\1", std::to_wstring(FRegistration.miscStatus));
    WriteKey(FClassKey + L"\\ToolboxBitmap32", FModulePath + L"," + std::to_wstring(FRegistration.toolboxBitmapId));
    WriteKey(FClassKey + L"\\Control", L"");
    WriteKey(FClassKey + L"\\Verb", L"");
    for (const TControlVerb* v = FRegistration.verbs; v && v->name && *v->name; ++v)
        WriteKey(FClassKey + L"\\Verb\\" + std::to_wstring(v->verb),
                 std::wstring(v->name) + L"," + std::to_wstring(v->menuFlags) + L"," + std::to_wstring(v->attributes));
}

namespace bridge {

HRESULT UpdateControlRegistry(BOOL doRegister, HINSTANCE module, REFCLSID clsid,
                              const TControlRegistration& registration) {
    std::wstring path;
    ITypeLib* library = nullptr;
    ITypeInfo* coclass = nullptr;
    try {
        path = tpl::ModulePath(module);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    hr = library->GetTypeInfoOfGuid(clsid, &coclass);
    if (SUCCEEDED(hr)) {
        hr = FrameCall(IID_NULL, registration.progId, [&] {
            TAxControlRegistrar registrar(clsid, registration, path, library, coclass);
            if (doRegister)
                registrar.RegisterServer();
            else
                registrar.UnregisterServer();
        });
        coclass->Release();
    }
    library->Release();
    return hr;
}

}  // namespace bridge
