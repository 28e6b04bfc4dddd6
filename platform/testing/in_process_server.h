// Loads a server library the way a container does and finds its standard
// entry points, so a test drives the server through them rather than
// linking to it.
//
//   static const auto server = suite::testing::LoadInProcessServer(L"X.dll");
//   server.getClassObject(CLSID_X, IID_IClassFactory, &factory);
#pragma once
#include <windows.h>
#include <unknwn.h>
#include <oleauto.h>

#include <string>

namespace suite::testing {

struct InProcessServer {
    using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using NoArgumentFunction = HRESULT(STDAPICALLTYPE*)();

    HMODULE module = nullptr;  // null when the library did not load
    GetClassObjectFunction getClassObject = nullptr;
    NoArgumentFunction canUnloadNow = nullptr;
    NoArgumentFunction registerServer = nullptr;
    NoArgumentFunction unregisterServer = nullptr;
};

// The library stays loaded for the rest of the program, as a container
// keeps it: unloading while a test's objects live would pull their code
// away. An entry point the library lacks stays null.
InProcessServer LoadInProcessServer(const wchar_t* file);

// The object's reference count, read by an AddRef/Release pair.
ULONG RefCount(IUnknown* object);

// A string an object returned, as text, and freed; "<null>" for none.
std::wstring TakeString(BSTR text);

// One of the object's interfaces with a reference the caller gives back,
// or null when it offers none.
template <class I>
I* Query(IUnknown* object, REFIID iid) {
    I* out = nullptr;
    if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(&out)))) return nullptr;
    return out;
}

}  // namespace suite::testing
