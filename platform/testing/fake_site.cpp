#include "testing/fake_site.h"

namespace suite::testing {

namespace {

std::string Flag(BOOL value) { return value ? "TRUE" : "FALSE"; }

}  // namespace

// ---- FakeFrame: a control may make itself active and ask for space.

STDMETHODIMP FakeFrame::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IOleWindow) ||
        InlineIsEqualGUID(iid, IID_IOleInPlaceUIWindow) ||
        InlineIsEqualGUID(iid, IID_IOleInPlaceFrame))
        return Give(this, out);
    return E_NOINTERFACE;
}
STDMETHODIMP FakeFrame::GetWindow(HWND*) { return Unexpected("Frame::GetWindow", E_FAIL); }
STDMETHODIMP FakeFrame::ContextSensitiveHelp(BOOL) { return Unexpected("Frame::ContextSensitiveHelp"); }
STDMETHODIMP FakeFrame::GetBorder(LPRECT) { return Unexpected("Frame::GetBorder"); }
STDMETHODIMP FakeFrame::RequestBorderSpace(LPCBORDERWIDTHS) { return Unexpected("Frame::RequestBorderSpace"); }
STDMETHODIMP FakeFrame::SetBorderSpace(LPCBORDERWIDTHS widths) {
    return Logged(std::string("Frame::SetBorderSpace(") + (widths ? "widths" : "null") + ")");
}
STDMETHODIMP FakeFrame::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) {
    return Logged(std::string("Frame::SetActiveObject(") + (active ? "object" : "null") + ")");
}
STDMETHODIMP FakeFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return Unexpected("Frame::InsertMenus"); }
STDMETHODIMP FakeFrame::SetMenu(HMENU, HOLEMENU, HWND) { return Unexpected("Frame::SetMenu"); }
STDMETHODIMP FakeFrame::RemoveMenus(HMENU) { return Unexpected("Frame::RemoveMenus"); }
STDMETHODIMP FakeFrame::SetStatusText(LPCOLESTR) { return Unexpected("Frame::SetStatusText"); }
STDMETHODIMP FakeFrame::EnableModeless(BOOL) { return Unexpected("Frame::EnableModeless"); }
STDMETHODIMP FakeFrame::TranslateAccelerator(LPMSG, WORD) { return Unexpected("Frame::TranslateAccelerator"); }

// ---- FakeSite

FakeSite::FakeSite(CallLog& log, InPlaceSiteKind kind) : FakeObject(log), kind(kind), frame(log) {
    window = CreateWindowExW(0, L"STATIC", L"container", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                             0, 0, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

FakeSite::~FakeSite() {
    if (window && IsWindow(window)) DestroyWindow(window);
    for (auto& ambient : ambients_) VariantClear(&ambient.second);
}

void FakeSite::SetAmbient(DISPID id, const VARIANT& value) {
    for (auto& ambient : ambients_) {
        if (ambient.first == id) {
            VariantCopy(&ambient.second, const_cast<VARIANT*>(&value));
            return;
        }
    }
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, const_cast<VARIANT*>(&value));
    ambients_.emplace_back(id, copy);
}

void FakeSite::SetAmbientFont(const wchar_t* name, int points, bool bold) {
    FONTDESC description = {};
    description.cbSizeofstruct = sizeof description;
    description.lpstrName = const_cast<LPOLESTR>(name);
    description.cySize.int64 = static_cast<LONGLONG>(points) * 10000;
    description.sWeight = static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL);
    description.sCharset = DEFAULT_CHARSET;
    IFontDisp* font = nullptr;
    if (FAILED(OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&font)))) {
        ADD_FAILURE() << "no font object for the ambient font";
        return;
    }
    VARIANT value;
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = font;
    SetAmbient(DISPID_AMBIENT_FONT, value);
    VariantClear(&value);
}

STDMETHODIMP FakeSite::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IOleClientSite))
        return Give(static_cast<IOleClientSite*>(this), out);
    log.Add("QueryInterface(" + InterfaceName(iid) + ")");
    auto* inPlace = static_cast<IOleInPlaceSiteWindowless*>(this);
    if (InlineIsEqualGUID(iid, IID_IDispatch)) return Give(static_cast<IDispatch*>(this), out);
    if (InlineIsEqualGUID(iid, IID_IOleControlSite) && offersControlSite)
        return Give(static_cast<IOleControlSite*>(this), out);
    if ((InlineIsEqualGUID(iid, IID_IOleWindow) || InlineIsEqualGUID(iid, IID_IOleInPlaceSite)) &&
        kind != InPlaceSiteKind::None)
        return Give(inPlace, out);
    if (InlineIsEqualGUID(iid, IID_IOleInPlaceSiteEx) &&
        (kind == InPlaceSiteKind::Ex || kind == InPlaceSiteKind::Windowless))
        return Give(inPlace, out);
    if (InlineIsEqualGUID(iid, IID_IOleInPlaceSiteWindowless) && kind == InPlaceSiteKind::Windowless)
        return Give(inPlace, out);
    return E_NOINTERFACE;
}

// IOleClientSite
STDMETHODIMP FakeSite::SaveObject() { return Logged("SaveObject"); }
STDMETHODIMP FakeSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return Logged("GetMoniker", E_NOTIMPL);
}
STDMETHODIMP FakeSite::GetContainer(IOleContainer** out) {
    if (out) *out = nullptr;
    return Logged("GetContainer", E_NOINTERFACE);
}
STDMETHODIMP FakeSite::ShowObject() { return Logged("ShowObject"); }
STDMETHODIMP FakeSite::OnShowWindow(BOOL show) { return Logged("OnShowWindow(" + Flag(show) + ")"); }
STDMETHODIMP FakeSite::RequestNewObjectLayout() { return Logged("RequestNewObjectLayout", E_NOTIMPL); }

// IOleWindow and IOleInPlaceSite
STDMETHODIMP FakeSite::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = window;
    return Logged("GetWindow");
}
STDMETHODIMP FakeSite::ContextSensitiveHelp(BOOL) { return Unexpected("ContextSensitiveHelp"); }
STDMETHODIMP FakeSite::CanInPlaceActivate() { return Logged("CanInPlaceActivate", canInPlaceActivate); }
STDMETHODIMP FakeSite::OnInPlaceActivate() { return Logged("OnInPlaceActivate"); }
STDMETHODIMP FakeSite::OnUIActivate() { return Logged("OnUIActivate"); }
STDMETHODIMP FakeSite::GetWindowContext(IOleInPlaceFrame** frameOut, IOleInPlaceUIWindow** document,
                                        LPRECT positionOut, LPRECT clipOut,
                                        LPOLEINPLACEFRAMEINFO info) {
    log.Add("GetWindowContext");
    // The record is 20 bytes in the 32-bit layout.
    static_assert(sizeof(void*) == 8 || sizeof(OLEINPLACEFRAMEINFO) == 20);
    if (!info || info->cb != sizeof(OLEINPLACEFRAMEINFO))
        log.Unexpected("GetWindowContext without a sized frame-information record");
    if (!frameOut || !document || !positionOut || !clipOut) return E_POINTER;
    *frameOut = handsOutFrame ? &frame : nullptr;
    if (*frameOut) frame.AddRef();
    *document = nullptr;
    *positionOut = position;
    *clipOut = clip;
    return S_OK;
}
STDMETHODIMP FakeSite::Scroll(SIZE) { return Unexpected("Scroll"); }
STDMETHODIMP FakeSite::OnUIDeactivate(BOOL undoable) { return Logged("OnUIDeactivate(" + Flag(undoable) + ")"); }
STDMETHODIMP FakeSite::OnInPlaceDeactivate() { return Logged("OnInPlaceDeactivate"); }
STDMETHODIMP FakeSite::DiscardUndoState() { return Unexpected("DiscardUndoState"); }
STDMETHODIMP FakeSite::DeactivateAndUndo() { return Unexpected("DeactivateAndUndo"); }
STDMETHODIMP FakeSite::OnPosRectChange(LPCRECT) { return Logged("OnPosRectChange"); }

// IOleInPlaceSiteEx
STDMETHODIMP FakeSite::OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) {
    if (noRedraw) *noRedraw = FALSE;
    return Logged("OnInPlaceActivateEx(" + std::to_string(flags) + ")");
}
STDMETHODIMP FakeSite::OnInPlaceDeactivateEx(BOOL redraw) {
    return Logged("OnInPlaceDeactivateEx(" + Flag(redraw) + ")");
}
STDMETHODIMP FakeSite::RequestUIActivate() { return Logged("RequestUIActivate"); }

// IOleInPlaceSiteWindowless
STDMETHODIMP FakeSite::CanWindowlessActivate() { return Logged("CanWindowlessActivate", canWindowlessActivate); }
STDMETHODIMP FakeSite::GetCapture() { return Logged("GetCapture", S_FALSE); }
STDMETHODIMP FakeSite::SetCapture(BOOL capture) { return Logged("SetCapture(" + Flag(capture) + ")"); }
STDMETHODIMP FakeSite::GetFocus() { return Logged("GetFocus", S_FALSE); }
STDMETHODIMP FakeSite::SetFocus(BOOL focus) { return Logged("SetFocus(" + Flag(focus) + ")"); }
STDMETHODIMP FakeSite::GetDC(LPCRECT, DWORD, HDC* dc) {
    if (dc) *dc = nullptr;
    return Logged("GetDC", E_NOTIMPL);
}
STDMETHODIMP FakeSite::ReleaseDC(HDC) { return Logged("ReleaseDC", E_NOTIMPL); }
STDMETHODIMP FakeSite::InvalidateRect(LPCRECT rect, BOOL erase) {
    return Logged(std::string("InvalidateRect(") + (rect ? "rect" : "null") + "," + Flag(erase) + ")");
}
STDMETHODIMP FakeSite::InvalidateRgn(HRGN region, BOOL erase) {
    return Logged(std::string("InvalidateRgn(") + (region ? "region" : "null") + "," + Flag(erase) + ")");
}
STDMETHODIMP FakeSite::ScrollRect(INT, INT, LPCRECT, LPCRECT) { return Unexpected("ScrollRect"); }
STDMETHODIMP FakeSite::AdjustRect(LPRECT) { return Logged("AdjustRect"); }
STDMETHODIMP FakeSite::OnDefWindowMessage(UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (result) *result = 0;
    return Logged("OnDefWindowMessage(" + std::to_string(message) + ")", S_FALSE);
}

// IOleControlSite
STDMETHODIMP FakeSite::OnControlInfoChanged() { return Logged("OnControlInfoChanged"); }
STDMETHODIMP FakeSite::LockInPlaceActive(BOOL lock) { return Logged("LockInPlaceActive(" + Flag(lock) + ")"); }
STDMETHODIMP FakeSite::GetExtendedControl(IDispatch** out) {
    if (out) *out = nullptr;
    return Logged("GetExtendedControl", E_NOTIMPL);
}
// Container coordinates are HIMETRIC here too: the values pass unchanged.
STDMETHODIMP FakeSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
    log.Add("TransformCoords(" + std::to_string(flags) + ")");
    if (!himetric || !container) return E_POINTER;
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x);
        container->y = static_cast<float>(himetric->y);
    } else {
        himetric->x = static_cast<LONG>(container->x);
        himetric->y = static_cast<LONG>(container->y);
    }
    return S_OK;
}
STDMETHODIMP FakeSite::TranslateAccelerator(MSG*, DWORD) { return Logged("TranslateAccelerator", S_FALSE); }
STDMETHODIMP FakeSite::OnFocus(BOOL gotFocus) { return Logged("OnFocus(" + Flag(gotFocus) + ")"); }
STDMETHODIMP FakeSite::ShowPropertyFrame() { return Logged("ShowPropertyFrame", E_NOTIMPL); }

// IDispatch
STDMETHODIMP FakeSite::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
STDMETHODIMP FakeSite::GetTypeInfo(UINT, LCID, ITypeInfo**) { return Unexpected("GetTypeInfo"); }
STDMETHODIMP FakeSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return Unexpected("GetIDsOfNames");
}
STDMETHODIMP FakeSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                              EXCEPINFO*, UINT*) {
    log.Add("Ambient(" + std::to_string(id) + ")");
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    for (auto& ambient : ambients_) {
        if (ambient.first != id) continue;
        if (!result) return E_POINTER;
        VariantInit(result);
        return VariantCopy(result, &ambient.second);
    }
    return DISP_E_MEMBERNOTFOUND;
}

HWND ControlWindow(IUnknown* control) {
    IOleWindow* window = nullptr;
    if (FAILED(control->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) return nullptr;
    HWND hwnd = nullptr;
    window->GetWindow(&hwnd);
    window->Release();
    return hwnd;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

VARIANT BoolVariant(bool value) {
    VARIANT v;
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT ColourVariant(OLE_COLOR colour) {
    VARIANT v;
    V_VT(&v) = VT_I4;  // as containers hand out an OLE_COLOR
    V_I4(&v) = static_cast<LONG>(colour);
    return v;
}

}  // namespace suite::testing
