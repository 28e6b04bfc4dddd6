#include "testing/fake_property_page.h"

namespace suite::testing {

FakePropertyPage::FakePropertyPage(CallLog& log, IUnknown* control)
    : FakeObject(log), control_(control) {}

FakePropertyPage::~FakePropertyPage() {
    if (window_) DestroyWindow(window_);
    if (site_) site_->Release();
}

STDMETHODIMP FakePropertyPage::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IPropertyPage))
        return Give(this, out);
    return E_NOINTERFACE;
}

STDMETHODIMP FakePropertyPage::SetPageSite(IPropertyPageSite* site) {
    if (site) site->AddRef();
    if (site_) site_->Release();
    site_ = site;
    return Logged(site ? "SetPageSite" : "SetPageSite(null)");
}

STDMETHODIMP FakePropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    ++framesShown;
    window_ = CreateWindowExW(0, L"STATIC", L"page", WS_CHILD, rect ? rect->left : 0,
                              rect ? rect->top : 0, 100, 50, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    return Logged("Activate");
}

STDMETHODIMP FakePropertyPage::Deactivate() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    return Logged("Deactivate");
}

STDMETHODIMP FakePropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    static const wchar_t title[] = L"Page";
    info->cb = sizeof *info;
    info->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof title));
    if (info->pszTitle) memcpy(info->pszTitle, title, sizeof title);
    info->size = SIZE{100, 50};
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return Logged("GetPageInfo");
}

STDMETHODIMP FakePropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    if (count == 1 && objects && objects[0]) {
        IUnknown* identity = nullptr;
        objects[0]->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
        IUnknown* expected = nullptr;
        control_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&expected));
        sawControl = identity && identity == expected;
        if (identity) identity->Release();
        if (expected) expected->Release();
    }
    return Logged("SetObjects(" + std::to_string(count) + ")");
}

STDMETHODIMP FakePropertyPage::Show(UINT command) {
    if (window_) ShowWindow(window_, static_cast<int>(command));
    return Logged("Show");
}

STDMETHODIMP FakePropertyPage::Move(LPCRECT rect) {
    if (window_ && rect)
        MoveWindow(window_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return Logged("Move");
}

STDMETHODIMP FakePropertyPage::IsPageDirty() { return Logged("IsPageDirty", S_FALSE); }
STDMETHODIMP FakePropertyPage::Apply() { return Logged("Apply"); }
STDMETHODIMP FakePropertyPage::Help(LPCOLESTR) { return Logged("Help", E_NOTIMPL); }
STDMETHODIMP FakePropertyPage::TranslateAccelerator(MSG*) { return S_FALSE; }

namespace {
// The factory's calls are the platform's business, not the test's.
CallLog g_factoryLog;
}  // namespace

ClassRegistration::ClassRegistration(REFCLSID clsid, IUnknown& object)
    : FakeObject(g_factoryLog), object_(object) {
    HRESULT hr = CoRegisterClassObject(clsid, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
    if (FAILED(hr)) ADD_FAILURE() << "the class could not be registered in this process";
}

ClassRegistration::~ClassRegistration() {
    if (cookie_) CoRevokeClassObject(cookie_);
}

STDMETHODIMP ClassRegistration::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IClassFactory))
        return Give(this, out);
    return E_NOINTERFACE;
}

STDMETHODIMP ClassRegistration::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return object_.QueryInterface(iid, out);
}

}  // namespace suite::testing
