// The server module: its instance handle, its object map (one entry per
// creatable class), the lock count that DllCanUnloadNow reports, and the
// registration of its classes and type library.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <string>

using TplCreatorFunc = HRESULT(WINAPI*)(void* outer, REFIID iid, void** out);

struct TplObjectMapEntry {
    const CLSID* clsid;                          // null ends the map
    HRESULT(WINAPI* updateRegistry)(BOOL doRegister);
    TplCreatorFunc getClassObject;               // makes the class factory
    TplCreatorFunc createInstance;               // handed to the factory
    IUnknown* classFactory;                      // cached after first demand
    const wchar_t*(WINAPI* getObjectDescription)();
};

#define BEGIN_OBJECT_MAP(x) static TplObjectMapEntry x[] = {
#define OBJECT_ENTRY(clsid, Class)                                                       \
    {&clsid, Class::UpdateRegistry, Class::_ClassFactoryCreatorClass::CreateInstance,    \
     Class::_CreatorClass::CreateInstance, nullptr, Class::GetObjectDescription},
#define END_OBJECT_MAP() {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}};

class CComModule {
public:
    HRESULT Init(TplObjectMapEntry* objectMap, HINSTANCE instance);
    // Releases the cached class factories and what the module holds.
    void Term();

    LONG Lock();
    LONG Unlock();
    LONG GetLockCount() const { return m_lockCount; }

    HINSTANCE GetModuleInstance() const { return m_instance; }
    HINSTANCE GetResourceInstance() const { return m_instance; }
    HINSTANCE GetTypeLibInstance() const { return m_instance; }

    HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out);
    // Runs every entry's script in register mode, stopping at the first
    // failure; then registers the type library when asked to.
    HRESULT RegisterServer(BOOL registerTypeLib = TRUE);
    HRESULT UnregisterServer();
    // Runs the "REGISTRY" script resource in one mode, %MODULE% being the
    // full path of this module.
    HRESULT UpdateRegistryFromResource(UINT resourceId, BOOL doRegister);
    HRESULT RegisterTypeLib();

    // Released at Term (type information cached by templates).
    void AddTermRelease(IUnknown* object);
    // A window class this module registered: unregistered at Term, since
    // the system keeps a DLL's classes (and their procedures) past unloading.
    void AddWindowClass(const char* name, ATOM* atom, HINSTANCE instance);

private:
    HRESULT RegisterTypeLibFromModule();

    TplObjectMapEntry* m_objectMap = nullptr;
    HINSTANCE m_instance = nullptr;
    LONG m_lockCount = 0;
    CRITICAL_SECTION m_csObjectMap{};
    CRITICAL_SECTION m_csModule{};
    bool m_initialised = false;
    IUnknown* m_termReleases[16] = {};
    int m_termReleaseCount = 0;
    struct WindowClass {
        const char* name;
        ATOM* atom;
        HINSTANCE instance;
    };
    WindowClass m_windowClasses[16] = {};
    int m_windowClassCount = 0;
};

namespace tpl {
// The module of this binary; set by CComModule::Init.
CComModule& CurrentModule();
std::wstring ModulePath(HINSTANCE instance);
}  // namespace tpl
