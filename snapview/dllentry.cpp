#include "dllentry.h"

#include "SnapviewLibrary.h"
#include "null_reference.h"
#include "snapview.h"
#include "trace.h"

#include <new>

SNAPVIEW_TRACE_MODULE("DLLENTRY");

namespace snapview {

LONG ObjectCount = 0;
LONG LockCount = 0;
HINSTANCE ModuleInstance = nullptr;

void ObjectDestroyed() {
    TRACE("ObjectDestroyed");
    --ObjectCount;
}

STDMETHODIMP TImpIClassFactory::QueryInterface(REFIID riid, void** ppv) {
    TRACE("TImpIClassFactory::QueryInterface");
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsNull(riid)) return E_POINTER;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) {
        return E_NOINTERFACE;
    }
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TImpIClassFactory::AddRef() {
    TRACE("TImpIClassFactory::AddRef");
    return static_cast<ULONG>(++RefCount);
}

STDMETHODIMP_(ULONG) TImpIClassFactory::Release() {
    TRACE("TImpIClassFactory::Release");
    if (--RefCount != 0) return static_cast<ULONG>(RefCount);
    delete this;
    return 0;
}

STDMETHODIMP TImpIClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    TRACE("TImpIClassFactory::CreateInstance riid=" << IdField{riid});
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsNull(riid)) return E_POINTER;
    if (outer && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    TSnapview* control = new (std::nothrow) TSnapview(outer, &ObjectDestroyed);
    if (!control) return E_OUTOFMEMORY;
    HRESULT hr = control->Init();
    if (SUCCEEDED(hr)) hr = control->QueryInterface(riid, ppv);
    if (FAILED(hr)) {
        // Never counted, so it leaves without ObjectDestroyed.
        *ppv = nullptr;
        control->Destroy();
        return hr;
    }
    ++ObjectCount;
    return S_OK;
}

STDMETHODIMP TImpIClassFactory::LockServer(BOOL lock) {
    TRACE("TImpIClassFactory::LockServer " << (lock ? "lock" : "unlock"));
    if (lock) {
        ++LockCount;
    } else {
        --LockCount;
    }
    return S_OK;
}

}  // namespace snapview

using namespace snapview;

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    TRACE("DllGetClassObject");
    if (IsNull(clsid) || IsNull(riid)) return E_POINTER;
    if (!IsEqualCLSID(clsid, CLSID_Snapview)) return E_FAIL;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) {
        return E_NOINTERFACE;
    }
    if (!ppv) return E_POINTER;
    TImpIClassFactory* factory = new (std::nothrow) TImpIClassFactory;
    if (!factory) return E_OUTOFMEMORY;
    HRESULT hr = factory->QueryInterface(riid, ppv);
    if (FAILED(hr)) delete factory;
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    TRACE("DllCanUnloadNow");
    return (ObjectCount != 0 || LockCount != 0) ? S_FALSE : S_OK;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ModuleInstance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
