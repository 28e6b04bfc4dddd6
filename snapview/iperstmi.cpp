#include "iperstmi.h"

#include "snapview.h"
#include "trace.h"

SNAPVIEW_TRACE_MODULE("IPERSTMI");

namespace snapview {

TImpIPersistStreamInit::TImpIPersistStreamInit(TSnapview* owner, IUnknown* controllingUnknown)
    : Owner(owner), ControllingUnknown(controllingUnknown) {}

STDMETHODIMP TImpIPersistStreamInit::QueryInterface(REFIID riid, void** ppv) {
    TRACE("TImpIPersistStreamInit::QueryInterface");
    return ControllingUnknown->QueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) TImpIPersistStreamInit::AddRef() {
    TRACE("TImpIPersistStreamInit::AddRef");
    ++RefCount;
    return ControllingUnknown->AddRef();
}

STDMETHODIMP_(ULONG) TImpIPersistStreamInit::Release() {
    TRACE("TImpIPersistStreamInit::Release");
    --RefCount;
    return ControllingUnknown->Release();
}

STDMETHODIMP TImpIPersistStreamInit::GetClassID(CLSID* clsid) {
    TRACE("TImpIPersistStreamInit::GetClassID");
    if (!clsid) return E_POINTER;
    *clsid = Owner->ClassId;
    return S_OK;
}

STDMETHODIMP TImpIPersistStreamInit::IsDirty() {
    TRACE("TImpIPersistStreamInit::IsDirty");
    return S_FALSE;
}

STDMETHODIMP TImpIPersistStreamInit::Load(LPSTREAM stream) {
    TRACE("TImpIPersistStreamInit::Load");
    if (!stream) return E_POINTER;
    // An empty clipboard keeps the earlier data, which is still worth showing.
    Owner->GrabFromClipboard();
    return S_OK;
}

STDMETHODIMP TImpIPersistStreamInit::Save(LPSTREAM stream, BOOL) {
    TRACE("TImpIPersistStreamInit::Save");
    if (!stream) return E_POINTER;
    return S_OK;
}

STDMETHODIMP TImpIPersistStreamInit::GetSizeMax(ULARGE_INTEGER* size) {
    TRACE("TImpIPersistStreamInit::GetSizeMax");
    if (!size) return E_POINTER;
    size->QuadPart = 0;  // Save writes no bytes
    return S_OK;
}

STDMETHODIMP TImpIPersistStreamInit::InitNew() {
    TRACE("TImpIPersistStreamInit::InitNew");
    return S_OK;
}

}  // namespace snapview
