// TImpIPersistStreamInit: the control keeps nothing worth saving; loading
// shows whatever the clipboard holds at load time.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

namespace snapview {

class TSnapview;

class TImpIPersistStreamInit : public IPersistStreamInit {
public:
    TImpIPersistStreamInit(TSnapview* owner, IUnknown* controllingUnknown);
    virtual ~TImpIPersistStreamInit() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;

private:
    LONG RefCount = 0;
    TSnapview* Owner;
    IUnknown* ControllingUnknown;
};

}  // namespace snapview
