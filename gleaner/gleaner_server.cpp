// The server's entry points and its module with the one-entry object map.
#include "gleaner_impl.h"

namespace {

CComModule g_module;

BEGIN_OBJECT_MAP(g_objectMap)
    OBJECT_ENTRY(CLSID_Gleaner, TGleanerImpl)
END_OBJECT_MAP()

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module.Init(g_objectMap, instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        g_module.Term();
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return g_module.GetClassObject(clsid, iid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    return g_module.GetLockCount() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer() { return g_module.RegisterServer(TRUE); }

extern "C" HRESULT WINAPI DllUnregisterServer() { return g_module.UnregisterServer(); }
