#include "testing/in_process_server.h"

namespace suite::testing {

namespace {

// GetProcAddress hands out a generic function pointer; going through void*
// keeps the cast to the real signature free of cast-function-type warnings.
template <typename Function>
Function EntryPoint(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

InProcessServer LoadInProcessServer(const wchar_t* file) {
    InProcessServer server;
    server.module = LoadLibraryW(file);
    if (!server.module) return server;
    server.getClassObject =
        EntryPoint<InProcessServer::GetClassObjectFunction>(server.module, "DllGetClassObject");
    server.canUnloadNow =
        EntryPoint<InProcessServer::NoArgumentFunction>(server.module, "DllCanUnloadNow");
    server.registerServer =
        EntryPoint<InProcessServer::NoArgumentFunction>(server.module, "DllRegisterServer");
    server.unregisterServer =
        EntryPoint<InProcessServer::NoArgumentFunction>(server.module, "DllUnregisterServer");
    return server;
}

std::wstring TakeString(BSTR text) {
    std::wstring out = text ? text : L"<null>";
    SysFreeString(text);
    return out;
}

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

}  // namespace suite::testing
