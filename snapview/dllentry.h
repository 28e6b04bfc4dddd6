// The server's entry points and class factory, and the two module counters
// that decide when the library may be unloaded.
#pragma once
#include <windows.h>
#include <ole2.h>

namespace snapview {

extern LONG ObjectCount;  // live controls made by CreateInstance
extern LONG LockCount;    // LockServer(TRUE) not yet matched by LockServer(FALSE)

// Every control calls this just before it is destroyed.
void ObjectDestroyed();

class TImpIClassFactory : public IClassFactory {
public:
    TImpIClassFactory() = default;
    virtual ~TImpIClassFactory() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    LONG RefCount = 0;
};

}  // namespace snapview

extern "C" {
HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv);
HRESULT STDAPICALLTYPE DllCanUnloadNow();
}
