#include "fake_container.h"

#include "Gleaner.h"

namespace gleaner_test {
namespace {

bool Is(REFIID a, REFIID b) { return InlineIsEqualGUID(a, b) != 0; }

template <class I>
HRESULT Give(I* object, void** out) {
    *out = object;
    object->AddRef();
    return S_OK;
}

}  // namespace

STDMETHODIMP FakeSite::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (Is(iid, IID_IUnknown) || Is(iid, IID_IOleClientSite))
        return Give(static_cast<IOleClientSite*>(this), out);
    if (Is(iid, IID_IDispatch)) return Give(static_cast<IDispatch*>(this), out);
    if (Is(iid, IID_IOleInPlaceSite) || Is(iid, IID_IOleWindow))
        return Give(static_cast<IOleInPlaceSite*>(static_cast<IOleInPlaceSiteWindowless*>(this)), out);
    if (kind_ == SiteKind::Windowless &&
        (Is(iid, IID_IOleInPlaceSiteEx) || Is(iid, IID_IOleInPlaceSiteWindowless)))
        return Give(static_cast<IOleInPlaceSiteWindowless*>(this), out);
    return E_NOINTERFACE;
}

STDMETHODIMP FakeSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                              EXCEPINFO*, UINT*) {
    log_.Add("Ambient(" + std::to_string(id) + ")");
    if (id != DISPID_AMBIENT_USERMODE || !result) return DISP_E_MEMBERNOTFOUND;
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = userMode;
    return S_OK;
}

STDMETHODIMP FakePropertySink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (Is(iid, IID_IUnknown) || Is(iid, IID_IPropertyNotifySink)) return Give(this, out);
    return E_NOINTERFACE;
}

STDMETHODIMP FakeEventSink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (Is(iid, IID_IUnknown) || Is(iid, IID_IDispatch) || Is(iid, DIID_DIGleanerEvents))
        return Give(this, out);
    return E_NOINTERFACE;
}

STDMETHODIMP FakeAdviseSink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (Is(iid, IID_IUnknown) || Is(iid, IID_IAdviseSink)) return Give(this, out);
    return E_NOINTERFACE;
}

}  // namespace gleaner_test
