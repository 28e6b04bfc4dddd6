#include "iolecont.h"

#include "trace.h"

SNAPVIEW_TRACE_MODULE("IOLECONT");

namespace snapview {

TImpIOleControl::TImpIOleControl(TSnapview* owner, IUnknown* controllingUnknown)
    : Owner(owner), ControllingUnknown(controllingUnknown) {}

STDMETHODIMP TImpIOleControl::QueryInterface(REFIID riid, void** ppv) {
    TRACE("TImpIOleControl::QueryInterface");
    return ControllingUnknown->QueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) TImpIOleControl::AddRef() {
    TRACE("TImpIOleControl::AddRef");
    ++RefCount;
    return ControllingUnknown->AddRef();
}

STDMETHODIMP_(ULONG) TImpIOleControl::Release() {
    TRACE("TImpIOleControl::Release");
    --RefCount;
    return ControllingUnknown->Release();
}

STDMETHODIMP TImpIOleControl::GetControlInfo(CONTROLINFO*) {
    TRACE("TImpIOleControl::GetControlInfo");
    return E_NOTIMPL;
}

STDMETHODIMP TImpIOleControl::OnMnemonic(MSG*) {
    TRACE("TImpIOleControl::OnMnemonic");
    return E_NOTIMPL;
}

STDMETHODIMP TImpIOleControl::OnAmbientPropertyChange(DISPID) {
    TRACE("TImpIOleControl::OnAmbientPropertyChange");
    return S_OK;
}

STDMETHODIMP TImpIOleControl::FreezeEvents(BOOL) {
    TRACE("TImpIOleControl::FreezeEvents");
    return S_OK;
}

}  // namespace snapview
