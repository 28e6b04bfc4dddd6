#include "fakes.h"

namespace snapview_test {

namespace {

HRESULT Answer(void** ppv, IUnknown* self) {
    *ppv = self;
    self->AddRef();
    return S_OK;
}

}  // namespace

// ---- FakeFrame: the control may only hold and release it.

STDMETHODIMP FakeFrame::QueryInterface(REFIID riid, void** ppv) {
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleInPlaceFrame)) {
        return Answer(ppv, this);
    }
    return E_NOINTERFACE;
}
STDMETHODIMP FakeFrame::GetWindow(HWND*) { log_.Unexpected("Frame::GetWindow"); return E_FAIL; }
STDMETHODIMP FakeFrame::ContextSensitiveHelp(BOOL) { log_.Unexpected("Frame::ContextSensitiveHelp"); return E_NOTIMPL; }
STDMETHODIMP FakeFrame::GetBorder(LPRECT) { log_.Unexpected("Frame::GetBorder"); return E_NOTIMPL; }
STDMETHODIMP FakeFrame::RequestBorderSpace(LPCBORDERWIDTHS) { log_.Unexpected("Frame::RequestBorderSpace"); return E_NOTIMPL; }
STDMETHODIMP FakeFrame::SetBorderSpace(LPCBORDERWIDTHS) { log_.Unexpected("Frame::SetBorderSpace"); return E_NOTIMPL; }
STDMETHODIMP FakeFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { log_.Unexpected("Frame::SetActiveObject"); return E_NOTIMPL; }
STDMETHODIMP FakeFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { log_.Unexpected("Frame::InsertMenus"); return E_NOTIMPL; }
STDMETHODIMP FakeFrame::SetMenu(HMENU, HOLEMENU, HWND) { log_.Unexpected("Frame::SetMenu"); return E_NOTIMPL; }
STDMETHODIMP FakeFrame::RemoveMenus(HMENU) { log_.Unexpected("Frame::RemoveMenus"); return E_NOTIMPL; }
STDMETHODIMP FakeFrame::SetStatusText(LPCOLESTR) { log_.Unexpected("Frame::SetStatusText"); return E_NOTIMPL; }
STDMETHODIMP FakeFrame::EnableModeless(BOOL) { log_.Unexpected("Frame::EnableModeless"); return E_NOTIMPL; }
STDMETHODIMP FakeFrame::TranslateAccelerator(LPMSG, WORD) { log_.Unexpected("Frame::TranslateAccelerator"); return E_NOTIMPL; }

// ---- FakeSite

FakeSite::FakeSite(suite::testing::CallLog& log) : frame(log), log_(log) {
    window = CreateWindowExW(0, L"STATIC", L"container", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

FakeSite::~FakeSite() {
    if (window) DestroyWindow(window);
}

STDMETHODIMP FakeSite::QueryInterface(REFIID riid, void** ppv) {
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
        return Answer(ppv, static_cast<IOleClientSite*>(this));
    }
    if (IsEqualIID(riid, IID_IOleInPlaceSite)) {
        log_.Add("QueryInterface(IOleInPlaceSite)");
        if (!offersInPlaceSite) return E_NOINTERFACE;
        *ppv = static_cast<IOleInPlaceSite*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP FakeSite::SaveObject() { log_.Unexpected("SaveObject"); return E_NOTIMPL; }
STDMETHODIMP FakeSite::GetMoniker(DWORD, DWORD, IMoniker**) { log_.Unexpected("GetMoniker"); return E_NOTIMPL; }
STDMETHODIMP FakeSite::GetContainer(IOleContainer**) { log_.Unexpected("GetContainer"); return E_NOINTERFACE; }
STDMETHODIMP FakeSite::ShowObject() { log_.Add("ShowObject"); return S_OK; }
STDMETHODIMP FakeSite::OnShowWindow(BOOL show) {
    log_.Add(show ? "OnShowWindow(TRUE)" : "OnShowWindow(FALSE)");
    return S_OK;
}
STDMETHODIMP FakeSite::RequestNewObjectLayout() { log_.Unexpected("RequestNewObjectLayout"); return E_NOTIMPL; }

STDMETHODIMP FakeSite::GetWindow(HWND* out) {
    log_.Add("GetWindow");
    *out = window;
    return S_OK;
}
STDMETHODIMP FakeSite::ContextSensitiveHelp(BOOL) { log_.Unexpected("ContextSensitiveHelp"); return E_NOTIMPL; }
STDMETHODIMP FakeSite::CanInPlaceActivate() {
    log_.Add("CanInPlaceActivate");
    return canInPlaceActivate;
}
STDMETHODIMP FakeSite::OnInPlaceActivate() { log_.Add("OnInPlaceActivate"); return S_OK; }
STDMETHODIMP FakeSite::OnUIActivate() { log_.Unexpected("OnUIActivate"); return E_NOTIMPL; }
STDMETHODIMP FakeSite::GetWindowContext(IOleInPlaceFrame** frameOut, IOleInPlaceUIWindow** document,
                                        LPRECT positionOut, LPRECT clipOut,
                                        LPOLEINPLACEFRAMEINFO info) {
    log_.Add("GetWindowContext(cb=" + std::to_string(info ? info->cb : 0) + ")");
    *frameOut = &frame;
    frame.AddRef();
    *document = nullptr;
    *positionOut = position;
    *clipOut = clip;
    return S_OK;
}
STDMETHODIMP FakeSite::Scroll(SIZE) { log_.Unexpected("Scroll"); return E_NOTIMPL; }
STDMETHODIMP FakeSite::OnUIDeactivate(BOOL) { log_.Unexpected("OnUIDeactivate"); return E_NOTIMPL; }
STDMETHODIMP FakeSite::OnInPlaceDeactivate() { log_.Unexpected("OnInPlaceDeactivate"); return E_NOTIMPL; }
STDMETHODIMP FakeSite::DiscardUndoState() { log_.Unexpected("DiscardUndoState"); return E_NOTIMPL; }
STDMETHODIMP FakeSite::DeactivateAndUndo() { log_.Unexpected("DeactivateAndUndo"); return E_NOTIMPL; }
STDMETHODIMP FakeSite::OnPosRectChange(LPCRECT) { log_.Unexpected("OnPosRectChange"); return E_NOTIMPL; }

// ---- FakeAdviseSink

STDMETHODIMP FakeAdviseSink::QueryInterface(REFIID riid, void** ppv) {
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IAdviseSink)) {
        return Answer(ppv, this);
    }
    return E_NOINTERFACE;
}
STDMETHODIMP_(void) FakeAdviseSink::OnDataChange(FORMATETC*, STGMEDIUM*) { log_.Add("OnDataChange"); }
STDMETHODIMP_(void) FakeAdviseSink::OnViewChange(DWORD, LONG) { log_.Add("OnViewChange"); }
STDMETHODIMP_(void) FakeAdviseSink::OnRename(IMoniker*) { log_.Add("OnRename"); }
STDMETHODIMP_(void) FakeAdviseSink::OnSave() { log_.Add("OnSave"); }
STDMETHODIMP_(void) FakeAdviseSink::OnClose() { log_.Add("OnClose"); }

// ---- FakeEventSink

STDMETHODIMP FakeEventSink::QueryInterface(REFIID riid, void** ppv) {
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        (!IsEqualIID(events_, GUID_NULL) && IsEqualIID(riid, events_))) {
        if (!IsEqualIID(riid, IID_IUnknown)) log_.Add("QueryInterface(events)");
        return Answer(ppv, this);
    }
    return E_NOINTERFACE;
}
STDMETHODIMP FakeEventSink::GetTypeInfoCount(UINT*) { log_.Unexpected("GetTypeInfoCount"); return E_NOTIMPL; }
STDMETHODIMP FakeEventSink::GetTypeInfo(UINT, LCID, ITypeInfo**) { log_.Unexpected("GetTypeInfo"); return E_NOTIMPL; }
STDMETHODIMP FakeEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { log_.Unexpected("GetIDsOfNames"); return E_NOTIMPL; }
STDMETHODIMP FakeEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    log_.Unexpected("Invoke(" + std::to_string(id) + ")");
    return S_OK;
}

// ---- FakeOuter

void FakeOuter::ReleaseInner() {
    if (inner) inner->Release();
    inner = nullptr;
}

STDMETHODIMP FakeOuter::QueryInterface(REFIID riid, void** ppv) {
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown)) return Answer(ppv, this);
    log_.Add("Outer::QueryInterface");
    return inner ? inner->QueryInterface(riid, ppv) : E_NOINTERFACE;
}

}  // namespace snapview_test
