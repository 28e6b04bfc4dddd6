#include "iconnpt.h"

#include "SnapviewLibrary.h"
#include "null_reference.h"
#include "snapview.h"
#include "trace.h"

#include <new>

SNAPVIEW_TRACE_MODULE("ICONNPT");

namespace snapview {

TImpIConnPtCont::TImpIConnPtCont(TSnapview* owner, IUnknown* controllingUnknown)
    : Owner(owner), ControllingUnknown(controllingUnknown) {}

STDMETHODIMP TImpIConnPtCont::QueryInterface(REFIID riid, void** ppv) {
    TRACE("TImpIConnPtCont::QueryInterface");
    return ControllingUnknown->QueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) TImpIConnPtCont::AddRef() {
    TRACE("TImpIConnPtCont::AddRef");
    ++RefCount;
    return ControllingUnknown->AddRef();
}

STDMETHODIMP_(ULONG) TImpIConnPtCont::Release() {
    TRACE("TImpIConnPtCont::Release");
    --RefCount;
    return ControllingUnknown->Release();
}

STDMETHODIMP TImpIConnPtCont::EnumConnectionPoints(IEnumConnectionPoints** points) {
    TRACE("TImpIConnPtCont::EnumConn");
    if (points) *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TImpIConnPtCont::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    TRACE("TImpIConnPtCont::FindConnectionPoint");
    if (!point) return E_POINTER;
    *point = nullptr;
    if (IsNull(riid)) return E_POINTER;
    if (!IsEqualIID(riid, DIID_DISnapviewAdviseSink) && !IsEqualIID(riid, DIID_DISnapview)) {
        return E_NOINTERFACE;
    }
    // One point serves both identifiers; it reports the one asked for last.
    Owner->ConnectionPoint->SetIid(riid);
    return Owner->ConnectionPoint->QueryInterface(IID_IConnectionPoint,
                                                  reinterpret_cast<void**>(point));
}

TImpIConnectionPoint::TImpIConnectionPoint(TSnapview* owner) : Owner(owner), Iid(GUID_NULL) {}

TImpIConnectionPoint* TImpIConnectionPoint::Create(TSnapview* owner) {
    return new (std::nothrow) TImpIConnectionPoint(owner);
}

void TImpIConnectionPoint::DetachFromOwner() {
    if (Owner && Owner->EventSink) {
        Owner->EventSink->Release();
        Owner->EventSink = nullptr;
    }
    Owner = nullptr;
    if (RefCount == 0) delete this;
}

STDMETHODIMP TImpIConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
    TRACE("TImpIConnectionPoint::QueryInterface");
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsNull(riid)) return E_POINTER;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IConnectionPoint)) {
        return E_NOINTERFACE;
    }
    *ppv = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TImpIConnectionPoint::AddRef() {
    TRACE("TImpIConnectionPoint::AddRef");
    // The first client reference keeps the control alive with the point.
    if (++RefCount == 1 && Owner) Owner->Controlling()->AddRef();
    return static_cast<ULONG>(RefCount);
}

STDMETHODIMP_(ULONG) TImpIConnectionPoint::Release() {
    TRACE("TImpIConnectionPoint::Release");
    LONG count = --RefCount;
    if (count == 0) {
        if (Owner) {
            // May destroy the control, which then frees this point.
            Owner->Controlling()->Release();
        } else {
            delete this;
        }
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP TImpIConnectionPoint::GetConnectionInterface(IID* iid) {
    TRACE("TImpIConnectionPoint::GetConnectionInterface");
    if (!iid) return E_POINTER;
    *iid = Iid;
    return S_OK;
}

STDMETHODIMP TImpIConnectionPoint::GetConnectionPointContainer(
    IConnectionPointContainer** container) {
    TRACE("TImpIConnectionPoint::GetConnectionPoint");
    if (!container) return E_POINTER;
    *container = nullptr;
    if (!Owner) return E_UNEXPECTED;
    return Owner->QueryInterface(IID_IConnectionPointContainer,
                                 reinterpret_cast<void**>(container));
}

STDMETHODIMP TImpIConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    TRACE("TImpIConnectionPoint::Advise");
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    if (!Owner) return E_UNEXPECTED;
    if (Owner->EventSink) return CONNECT_E_ADVISELIMIT;
    IUnknown* events = nullptr;
    if (FAILED(sink->QueryInterface(Iid, reinterpret_cast<void**>(&events))) || !events) {
        return CONNECT_E_CANNOTCONNECT;
    }
    Owner->EventSink = events;
    *cookie = kCookie;
    return S_OK;
}

STDMETHODIMP TImpIConnectionPoint::Unadvise(DWORD cookie) {
    TRACE("TImpIConnectionPoint::Unadvise");
    if (cookie == 0) return E_INVALIDARG;
    if (Owner && Owner->EventSink) {
        Owner->EventSink->Release();
        Owner->EventSink = nullptr;
    }
    return S_OK;
}

STDMETHODIMP TImpIConnectionPoint::EnumConnections(IEnumConnections** connections) {
    TRACE("TImpIConnectionPoint::EnumConnections");
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
}

}  // namespace snapview
