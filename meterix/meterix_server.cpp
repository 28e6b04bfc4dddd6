// The server's entry points and its module with the one-entry object map.
#include "progress_bar_x_impl.h"

namespace {

CComModule g_module;

BEGIN_OBJECT_MAP(g_objectMap)
    OBJECT_ENTRY(CLSID_ProgressBarX, TProgressBarXImpl)
END_OBJECT_MAP()

// The object model for the thread that loads the library, for as long as
// it stays loaded, when the library itself could start it.
HRESULT g_comStarted = E_FAIL;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module.Init(g_objectMap, instance);
        DisableThreadLibraryCalls(instance);
        g_comStarted = CoInitialize(nullptr);
    } else if (reason == DLL_PROCESS_DETACH) {
        // At process exit the runtime may be gone already: only an
        // unloading library gives back what it started.
        if (SUCCEEDED(g_comStarted) && !reserved) CoUninitialize();
        g_module.Term();
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return g_module.GetClassObject(clsid, iid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return g_module.GetLockCount() == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() { return g_module.RegisterServer(TRUE); }

extern "C" HRESULT WINAPI DllUnregisterServer() { return g_module.UnregisterServer(); }
