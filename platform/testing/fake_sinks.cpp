#include "testing/fake_sinks.h"

namespace suite::testing {

// ---- FakeAdviseSink

STDMETHODIMP FakeAdviseSink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IAdviseSink) ||
        InlineIsEqualGUID(iid, IID_IAdviseSinkEx))
        return Give(this, out);
    return E_NOINTERFACE;
}
STDMETHODIMP_(void) FakeAdviseSink::OnDataChange(FORMATETC*, STGMEDIUM*) { log.Add("OnDataChange"); }
STDMETHODIMP_(void) FakeAdviseSink::OnViewChange(DWORD aspect, LONG index) {
    log.Add("OnViewChange(" + std::to_string(aspect) + "," + std::to_string(index) + ")");
}
STDMETHODIMP_(void) FakeAdviseSink::OnRename(IMoniker*) { log.Add("OnRename"); }
STDMETHODIMP_(void) FakeAdviseSink::OnSave() { log.Add("OnSave"); }
STDMETHODIMP_(void) FakeAdviseSink::OnClose() { log.Add("OnClose"); }
STDMETHODIMP_(void) FakeAdviseSink::OnViewStatusChange(DWORD status) {
    log.Add("OnViewStatusChange(" + std::to_string(status) + ")");
}

// ---- FakePropertySink

STDMETHODIMP FakePropertySink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IPropertyNotifySink))
        return Give(this, out);
    return E_NOINTERFACE;
}
STDMETHODIMP FakePropertySink::OnChanged(DISPID id) {
    return Logged("OnChanged(" + std::to_string(id) + ")");
}
STDMETHODIMP FakePropertySink::OnRequestEdit(DISPID id) {
    return Logged("OnRequestEdit(" + std::to_string(id) + ")", refuse ? S_FALSE : S_OK);
}

// ---- FakeEventSink

STDMETHODIMP FakeEventSink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (InlineIsEqualGUID(iid, IID_IUnknown)) return Give(this, out);
    bool offered = !InlineIsEqualGUID(events_, GUID_NULL);
    if (offered && InlineIsEqualGUID(iid, events_)) {
        log.Add("QueryInterface(events)");
        return Give(this, out);
    }
    log.Add("QueryInterface(" + InterfaceName(iid) + ")");
    if (offered && InlineIsEqualGUID(iid, IID_IDispatch)) return Give(this, out);
    return E_NOINTERFACE;
}
STDMETHODIMP FakeEventSink::GetTypeInfoCount(UINT*) { return Unexpected("GetTypeInfoCount"); }
STDMETHODIMP FakeEventSink::GetTypeInfo(UINT, LCID, ITypeInfo**) { return Unexpected("GetTypeInfo"); }
STDMETHODIMP FakeEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return Unexpected("GetIDsOfNames");
}
STDMETHODIMP FakeEventSink::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT*, EXCEPINFO*, UINT*) {
    return Logged("Invoke(" + std::to_string(id) + "," + std::to_string(flags) + "," +
                  (params ? std::to_string(params->cArgs) : std::string("null")) + ")");
}

// ---- FakeOuter

ULONG FakeOuter::ReleaseInner() {
    IUnknown* held = inner;
    inner = nullptr;
    return held ? held->Release() : 0;
}

STDMETHODIMP FakeOuter::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (InlineIsEqualGUID(iid, IID_IUnknown)) return Give(this, out);
    return inner ? inner->QueryInterface(iid, out) : E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FakeOuter::AddRef() {
    log.Add("Outer::AddRef");
    return FakeObject::AddRef();
}

STDMETHODIMP_(ULONG) FakeOuter::Release() {
    log.Add("Outer::Release");
    return FakeObject::Release();
}

}  // namespace suite::testing
