// TImpIOleControl: ambient properties, mnemonics and frozen events, none of
// which change anything for this control.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

namespace snapview {

class TSnapview;

class TImpIOleControl : public IOleControl {
public:
    TImpIOleControl(TSnapview* owner, IUnknown* controllingUnknown);
    virtual ~TImpIOleControl() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG* message) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID dispid) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

private:
    LONG RefCount = 0;
    TSnapview* Owner;
    IUnknown* ControllingUnknown;
};

}  // namespace snapview
