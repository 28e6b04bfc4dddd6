#include "templates/com_module.h"

#include <new>
#include <string>

#include "templates/null_reference.h"
#include "templates/registrar.h"
#include "templates/tpl_trace.h"

namespace tpl {
namespace {
CComModule* g_module = nullptr;
CComModule g_fallbackModule;  // so a class used without a server still counts
}  // namespace

CComModule& CurrentModule() { return g_module ? *g_module : g_fallbackModule; }

std::wstring ModulePath(HINSTANCE instance) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(instance, path, MAX_PATH);
    return std::wstring(path, n);
}
}  // namespace tpl

HRESULT CComModule::Init(TplObjectMapEntry* objectMap, HINSTANCE instance) {
    m_objectMap = objectMap;
    m_instance = instance;
    m_lockCount = 0;
    InitializeCriticalSection(&m_csObjectMap);
    InitializeCriticalSection(&m_csModule);
    m_initialised = true;
    tpl::g_module = this;
    return S_OK;
}

void CComModule::Term() {
    if (!m_initialised) return;
    for (TplObjectMapEntry* e = m_objectMap; e && e->clsid; ++e) {
        if (e->classFactory) e->classFactory->Release();
        e->classFactory = nullptr;
    }
    for (int i = 0; i < m_termReleaseCount; ++i) m_termReleases[i]->Release();
    m_termReleaseCount = 0;
    // A class some window still uses stays; the system refuses to remove it.
    for (int i = 0; i < m_windowClassCount; ++i) {
        const WindowClass& c = m_windowClasses[i];
        if (UnregisterClassA(c.name, c.instance)) *c.atom = 0;
    }
    m_windowClassCount = 0;
    DeleteCriticalSection(&m_csObjectMap);
    DeleteCriticalSection(&m_csModule);
    m_initialised = false;
    if (tpl::g_module == this) tpl::g_module = nullptr;
}

LONG CComModule::Lock() { return InterlockedIncrement(&m_lockCount); }
LONG CComModule::Unlock() { return InterlockedDecrement(&m_lockCount); }

void CComModule::AddTermRelease(IUnknown* object) {
    EnterCriticalSection(&m_csModule);
    if (m_termReleaseCount < static_cast<int>(sizeof m_termReleases / sizeof *m_termReleases))
        m_termReleases[m_termReleaseCount++] = object;
    else
        object->Release();  // never expected: a handful of holders per module
    LeaveCriticalSection(&m_csModule);
}

void CComModule::AddWindowClass(const char* name, ATOM* atom, HINSTANCE instance) {
    if (!m_initialised) return;  // no Term will come for a module never started
    EnterCriticalSection(&m_csModule);
    if (m_windowClassCount < static_cast<int>(sizeof m_windowClasses / sizeof *m_windowClasses))
        m_windowClasses[m_windowClassCount++] = {name, atom, instance};
    LeaveCriticalSection(&m_csModule);
}

HRESULT CComModule::GetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (tpl::IsNull(clsid) || tpl::IsNull(iid)) return E_POINTER;
    for (TplObjectMapEntry* e = m_objectMap; e && e->clsid; ++e) {
        if (!InlineIsEqualGUID(*e->clsid, clsid)) continue;
        HRESULT hr = S_OK;
        EnterCriticalSection(&m_csObjectMap);
        if (!e->classFactory)
            hr = e->getClassObject(reinterpret_cast<void*>(e->createInstance), IID_IUnknown,
                                   reinterpret_cast<void**>(&e->classFactory));
        LeaveCriticalSection(&m_csObjectMap);
        if (FAILED(hr)) return hr;
        return e->classFactory->QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CComModule::RegisterServer(BOOL registerTypeLib) {
    for (TplObjectMapEntry* e = m_objectMap; e && e->clsid; ++e) {
        HRESULT hr = e->updateRegistry(TRUE);
        if (FAILED(hr)) return hr;
    }
    return registerTypeLib ? RegisterTypeLib() : S_OK;
}

HRESULT CComModule::UnregisterServer() {
    for (TplObjectMapEntry* e = m_objectMap; e && e->clsid; ++e) e->updateRegistry(FALSE);
    return S_OK;
}

HRESULT CComModule::UpdateRegistryFromResource(UINT resourceId, BOOL doRegister) {
    try {  // the script is parsed into strings; no exception may leave an entry point
        tpl::Registrar registrar;
        registrar.AddReplacement(L"MODULE", tpl::ModulePath(m_instance));
        return doRegister ? registrar.ResourceRegister(m_instance, resourceId, L"REGISTRY")
                          : registrar.ResourceUnregister(m_instance, resourceId, L"REGISTRY");
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CComModule::RegisterTypeLib() {
    try {
        return RegisterTypeLibFromModule();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CComModule::RegisterTypeLibFromModule() {
    std::wstring path = tpl::ModulePath(m_instance);
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLib(path.c_str(), &library);
    if (FAILED(hr)) {
        size_t dot = path.find_last_of(L'.');
        size_t slash = path.find_last_of(L"\\/");
        if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
            path.erase(dot);
        path += L".tlb";
        hr = LoadTypeLib(path.c_str(), &library);
    }
    if (FAILED(hr)) return hr;
    std::wstring helpDir = path.substr(0, path.find_last_of(L"\\/"));
    hr = ::RegisterTypeLib(library, const_cast<wchar_t*>(path.c_str()),
                           const_cast<wchar_t*>(helpDir.c_str()));
    library->Release();
    return hr;
}
