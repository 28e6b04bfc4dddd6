// The registry entries of a control whose server has no registration
// script: a chain of registrars, each writing its own entries after those
// of the one it builds on, all under HKEY_CLASSES_ROOT.
//
//   TComServerRegistrar       the class key (its description), the
//                             in-process server with its threading model,
//                             the ProgID with its CLSID, the class's ProgID
//   TTypedComServerRegistrar  the type library's version and LIBID, and
//                             the type library registered from the file
//   TAxControlRegistrar       status bits, toolbox bitmap, the control
//                             marker and the verbs
//
// Unregistering deletes the class key and the ProgID key with everything
// under them and leaves the type library registered. A failing registry
// call raises EWin32Error with its code.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <string>

#include "framework/framework.h"

// One verb of the class; a null or empty name ends a verb map.
struct TControlVerb {
    LONG verb;
    const wchar_t* name;
    DWORD menuFlags;
    DWORD attributes;
};

// What a control class registers beyond its type library.
struct TControlRegistration {
    const wchar_t* progId;
    UINT toolboxBitmapId;
    DWORD miscStatus;
    const TControlVerb* verbs;
};

class TComServerRegistrar {
public:
    TComServerRegistrar(REFCLSID clsid, std::wstring progId, std::wstring description,
                        std::wstring modulePath);
    virtual ~TComServerRegistrar();
    virtual void RegisterServer();
    virtual void UnregisterServer();

protected:
    // Creates (or opens) the key with full access and sets its default
    // value, and a named value when one is given.
    static void WriteKey(const std::wstring& key, const std::wstring& value,
                         const wchar_t* valueName = nullptr, const std::wstring& named = {});
    // The key and everything under it; a key that is not there is fine.
    static void DeleteTree(const std::wstring& key);

    std::wstring FClassKey;      // "CLSID\{...}"
    std::wstring FProgId;
    std::wstring FDescription;
    std::wstring FModulePath;
    std::wstring FClassIdText;   // "{...}"
};

class TTypedComServerRegistrar : public TComServerRegistrar {
public:
    // Takes the description from the coclass's documentation and the
    // version from the library's attributes; holds the library.
    TTypedComServerRegistrar(REFCLSID clsid, std::wstring progId, std::wstring modulePath,
                             ITypeLib* library, ITypeInfo* coclass);
    ~TTypedComServerRegistrar() override;
    void RegisterServer() override;

protected:
    ITypeLib* FLibrary;
    std::wstring FVersion;   // "%d.%d"
    std::wstring FLibIdText;
};

class TAxControlRegistrar : public TTypedComServerRegistrar {
public:
    TAxControlRegistrar(REFCLSID clsid, const TControlRegistration& registration,
                        std::wstring modulePath, ITypeLib* library, ITypeInfo* coclass);
    void RegisterServer() override;

private:
    const TControlRegistration& FRegistration;
};

namespace bridge {
// A control class's registration function: loads the type library from
// the module's own file (nothing is written or deleted when it cannot,
// or when it has no type for the class: that error is returned), then
// registers or unregisters through the chain. A framework exception
// becomes error information and DISP_E_EXCEPTION.
HRESULT UpdateControlRegistry(BOOL doRegister, HINSTANCE module, REFCLSID clsid,
                              const TControlRegistration& registration);
}  // namespace bridge
