// Stands in for an in-process server until it is built: it serves no class.
#include <windows.h>
#include <ole2.h>

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID, REFIID, void** out) {
    if (out) *out = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT __stdcall DllCanUnloadNow() { return S_OK; }
