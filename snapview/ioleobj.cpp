#include "ioleobj.h"

#include "snapview.h"
#include "trace.h"

SNAPVIEW_TRACE_MODULE("IOLEOBJ");

namespace snapview {

TImpIOleObject::TImpIOleObject(TSnapview* owner, IUnknown* controllingUnknown)
    : Owner(owner), ControllingUnknown(controllingUnknown) {}

STDMETHODIMP TImpIOleObject::QueryInterface(REFIID riid, void** ppv) {
    TRACE("TImpIOleObject::QueryInterface");
    return ControllingUnknown->QueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) TImpIOleObject::AddRef() {
    TRACE("TImpIOleObject::AddRef");
    ++RefCount;
    return ControllingUnknown->AddRef();
}

STDMETHODIMP_(ULONG) TImpIOleObject::Release() {
    TRACE("TImpIOleObject::Release");
    --RefCount;
    return ControllingUnknown->Release();
}

STDMETHODIMP TImpIOleObject::SetClientSite(IOleClientSite* site) {
    TRACE("TImpIOleObject::SetClientSite");
    if (!site) return E_UNEXPECTED;
    site->AddRef();
    if (Owner->ClientSite) Owner->ClientSite->Release();
    Owner->ClientSite = site;
    return S_OK;
}

STDMETHODIMP TImpIOleObject::GetClientSite(IOleClientSite** site) {
    TRACE("TImpIOleObject::GetClientSite");
    if (!site) return E_POINTER;
    *site = Owner->ClientSite;
    // Without a site there is nothing to hand out; a success code with a
    // null pointer would invite the caller to use it.
    if (!*site) return E_FAIL;
    (*site)->AddRef();
    return S_OK;
}

STDMETHODIMP TImpIOleObject::SetHostNames(LPCOLESTR, LPCOLESTR) {
    TRACE("TImpIOleObject::SetHostNames");
    return S_OK;
}

STDMETHODIMP TImpIOleObject::Close(DWORD) {
    TRACE("TImpIOleObject::Close");
    if (Owner->Window && Owner->ClientSite) {
        Owner->ClientSite->OnShowWindow(FALSE);
        if (IsWindow(Owner->Window)) DestroyWindow(Owner->Window);
        Owner->Window = nullptr;
    }
    return S_OK;
}

STDMETHODIMP TImpIOleObject::SetMoniker(DWORD, IMoniker*) {
    TRACE("TImpIOleObject::SetMoniker");
    return E_NOTIMPL;
}

STDMETHODIMP TImpIOleObject::GetMoniker(DWORD, DWORD, IMoniker**) {
    TRACE("TImpIOleObject::GetMoniker");
    return E_NOTIMPL;
}

STDMETHODIMP TImpIOleObject::InitFromData(IDataObject*, BOOL, DWORD) {
    TRACE("TImpIOleObject::InitFromData");
    return E_NOTIMPL;
}

STDMETHODIMP TImpIOleObject::GetClipboardData(DWORD, IDataObject**) {
    TRACE("TImpIOleObject::GetClipboardData");
    return E_NOTIMPL;
}

STDMETHODIMP TImpIOleObject::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND,
                                    LPCRECT) {
    TRACE("TImpIOleObject::DoVerb iVerb = " << verb);
    switch (verb) {
    case OLEIVERB_INPLACEACTIVATE:
        // A refused activation is reported, and leaves the control
        // inactive so that a later verb may try again.
        if (Owner->InPlaceActive) return S_OK;
        return Owner->InPlaceActivate(activeSite);
    case OLEIVERB_HIDE:
        return S_OK;
    case OLEIVERB_SHOW:
    case OLEIVERB_OPEN:
    case OLEIVERB_PRIMARY:
        return Owner->GrabFromClipboard();
    default:
        return OLEOBJ_S_INVALIDVERB;
    }
}

STDMETHODIMP TImpIOleObject::EnumVerbs(IEnumOLEVERB** verbs) {
    TRACE("TImpIOleObject::EnumVerbs");
    // The registry functions write through their out pointer unchecked.
    if (!verbs) return E_POINTER;
    return OleRegEnumVerbs(Owner->ClassId, verbs);
}

STDMETHODIMP TImpIOleObject::Update() {
    TRACE("TImpIOleObject::Update");
    return S_OK;
}

STDMETHODIMP TImpIOleObject::IsUpToDate() {
    TRACE("TImpIOleObject::IsUpToDate");
    return S_OK;
}

STDMETHODIMP TImpIOleObject::GetUserClassID(CLSID* clsid) {
    TRACE("TImpIOleObject::GetUserClassID");
    if (!clsid) return E_POINTER;
    *clsid = Owner->ClassId;
    return S_OK;
}

STDMETHODIMP TImpIOleObject::GetUserType(DWORD form, LPOLESTR* userType) {
    TRACE("TImpIOleObject::GetUserType");
    if (!userType) return E_POINTER;
    return OleRegGetUserType(Owner->ClassId, form, userType);
}

STDMETHODIMP TImpIOleObject::SetExtent(DWORD, SIZEL*) {
    TRACE("TImpIOleObject::SetExtent");
    return S_OK;
}

STDMETHODIMP TImpIOleObject::GetExtent(DWORD aspect, SIZEL* size) {
    TRACE("TImpIOleObject::GetExtent");
    if (!size) return E_POINTER;
    IViewObject2* view = nullptr;
    HRESULT hr = Owner->DataCache->QueryInterface(IID_IViewObject2, reinterpret_cast<void**>(&view));
    if (FAILED(hr)) return hr;
    hr = view->GetExtent(aspect, -1, nullptr, size);
    view->Release();
    return hr;
}

STDMETHODIMP TImpIOleObject::Advise(IAdviseSink* sink, DWORD* connection) {
    TRACE("TImpIOleObject::Advise");
    // A null sink would be kept and called later; refuse it up front.
    if (!connection) return E_POINTER;
    *connection = 0;
    if (!sink) return E_INVALIDARG;
    if (!Owner->AdviseHolder) {
        IOleAdviseHolder* holder = nullptr;
        HRESULT hr = CreateOleAdviseHolder(&holder);
        if (FAILED(hr)) return hr;
        Owner->AdviseHolder = holder;
    }
    return Owner->AdviseHolder->Advise(sink, connection);
}

STDMETHODIMP TImpIOleObject::Unadvise(DWORD connection) {
    TRACE("TImpIOleObject::Unadvise");
    if (!Owner->AdviseHolder) return E_FAIL;
    return Owner->AdviseHolder->Unadvise(connection);
}

STDMETHODIMP TImpIOleObject::EnumAdvise(IEnumSTATDATA** advises) {
    TRACE("TImpIOleObject::EnumAdvise");
    if (!advises) return E_POINTER;
    if (!Owner->AdviseHolder) return E_FAIL;
    return Owner->AdviseHolder->EnumAdvise(advises);
}

STDMETHODIMP TImpIOleObject::GetMiscStatus(DWORD aspect, DWORD* status) {
    TRACE("TImpIOleObject::GetMiscStatus");
    if (!status) return E_POINTER;
    return OleRegGetMiscStatus(Owner->ClassId, aspect, status);
}

STDMETHODIMP TImpIOleObject::SetColorScheme(LOGPALETTE*) {
    TRACE("TImpIOleObject::SetColorScheme");
    return E_NOTIMPL;
}

}  // namespace snapview
