// Fake container objects that record every call a control makes on them.
// Each is created with a count of 1, owned by the test, and its count is
// checked when the test ends.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "testing/call_log.h"

namespace gleaner_test {

using suite::testing::CallLog;

// What the site offers for in-place activation.
enum class SiteKind { Plain, Windowless };

class FakeSite : public IOleClientSite, public IOleInPlaceSiteWindowless, public IDispatch {
public:
    FakeSite(CallLog& log, SiteKind kind, HWND window) : log_(log), kind_(kind), window_(window) {}
    virtual ~FakeSite() = default;
    ULONG Count() const { return refs_; }
    RECT position = {10, 10, 90, 50};
    VARIANT_BOOL userMode = VARIANT_TRUE;

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override { return ++refs_; }
    STDMETHOD_(ULONG, Release)() override { return --refs_; }
    // IOleClientSite
    STDMETHOD(SaveObject)() override { return Log("SaveObject"); }
    STDMETHOD(GetMoniker)(DWORD, DWORD, IMoniker** out) override {
        *out = nullptr;
        return Log("GetMoniker", E_NOTIMPL);
    }
    STDMETHOD(GetContainer)(IOleContainer** out) override {
        *out = nullptr;
        return Log("GetContainer", E_NOINTERFACE);
    }
    STDMETHOD(ShowObject)() override { return Log("ShowObject"); }
    STDMETHOD(OnShowWindow)(BOOL) override { return Log("OnShowWindow"); }
    STDMETHOD(RequestNewObjectLayout)() override { return Log("RequestNewObjectLayout", E_NOTIMPL); }
    // IOleWindow
    STDMETHOD(GetWindow)(HWND* out) override {
        *out = window_;
        return Log("GetWindow");
    }
    STDMETHOD(ContextSensitiveHelp)(BOOL) override { return Log("ContextSensitiveHelp", E_NOTIMPL); }
    // IOleInPlaceSite
    STDMETHOD(CanInPlaceActivate)() override { return Log("CanInPlaceActivate"); }
    STDMETHOD(OnInPlaceActivate)() override { return Log("OnInPlaceActivate"); }
    STDMETHOD(OnUIActivate)() override { return Log("OnUIActivate"); }
    STDMETHOD(GetWindowContext)(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO) override {
        *frame = nullptr;
        *doc = nullptr;
        *pos = position;
        *clip = position;
        return Log("GetWindowContext");
    }
    STDMETHOD(Scroll)(SIZE) override { return Log("Scroll", E_NOTIMPL); }
    STDMETHOD(OnUIDeactivate)(BOOL) override { return Log("OnUIDeactivate"); }
    STDMETHOD(OnInPlaceDeactivate)() override { return Log("OnInPlaceDeactivate"); }
    STDMETHOD(DiscardUndoState)() override { return Log("DiscardUndoState"); }
    STDMETHOD(DeactivateAndUndo)() override { return Log("DeactivateAndUndo"); }
    STDMETHOD(OnPosRectChange)(LPCRECT) override { return Log("OnPosRectChange"); }
    // IOleInPlaceSiteEx
    STDMETHOD(OnInPlaceActivateEx)(BOOL* noRedraw, DWORD flags) override {
        if (noRedraw) *noRedraw = FALSE;
        return Log("OnInPlaceActivateEx(" + std::to_string(flags) + ")");
    }
    STDMETHOD(OnInPlaceDeactivateEx)(BOOL redraw) override {
        return Log("OnInPlaceDeactivateEx(" + std::to_string(redraw) + ")");
    }
    STDMETHOD(RequestUIActivate)() override { return Log("RequestUIActivate"); }
    // IOleInPlaceSiteWindowless
    STDMETHOD(CanWindowlessActivate)() override { return Log("CanWindowlessActivate"); }
    STDMETHOD(GetCapture)() override { return Log("GetCapture", S_FALSE); }
    STDMETHOD(SetCapture)(BOOL) override { return Log("SetCapture"); }
    STDMETHOD(GetFocus)() override { return Log("GetFocus", S_FALSE); }
    STDMETHOD(SetFocus)(BOOL) override { return Log("SetFocus"); }
    STDMETHOD(GetDC)(LPCRECT, DWORD, HDC* dc) override {
        *dc = nullptr;
        return Log("GetDC", E_NOTIMPL);
    }
    STDMETHOD(ReleaseDC)(HDC) override { return Log("ReleaseDC", E_NOTIMPL); }
    STDMETHOD(InvalidateRect)(LPCRECT rect, BOOL erase) override {
        return Log(std::string("InvalidateRect(") + (rect ? "rect" : "null") + "," +
                   std::to_string(erase) + ")");
    }
    STDMETHOD(InvalidateRgn)(HRGN, BOOL) override { return Log("InvalidateRgn"); }
    STDMETHOD(ScrollRect)(INT, INT, LPCRECT, LPCRECT) override { return Log("ScrollRect"); }
    STDMETHOD(AdjustRect)(LPRECT) override { return Log("AdjustRect"); }
    STDMETHOD(OnDefWindowMessage)(UINT, WPARAM, LPARAM, LRESULT*) override {
        return Log("OnDefWindowMessage", S_FALSE);
    }
    // IDispatch: the ambient properties
    STDMETHOD(GetTypeInfoCount)(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHOD(Invoke)(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                      UINT*) override;

private:
    HRESULT Log(const std::string& call, HRESULT hr = S_OK) {
        log_.Add(call);
        return hr;
    }
    CallLog& log_;
    SiteKind kind_;
    HWND window_;
    ULONG refs_ = 1;
};

// Asks, and may refuse, every property change.
class FakePropertySink : public IPropertyNotifySink {
public:
    explicit FakePropertySink(CallLog& log) : log_(log) {}
    virtual ~FakePropertySink() = default;
    ULONG Count() const { return refs_; }
    bool refuse = false;

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override { return ++refs_; }
    STDMETHOD_(ULONG, Release)() override { return --refs_; }
    STDMETHOD(OnChanged)(DISPID id) override {
        log_.Add("OnChanged(" + std::to_string(id) + ")");
        return S_OK;
    }
    STDMETHOD(OnRequestEdit)(DISPID id) override {
        log_.Add("OnRequestEdit(" + std::to_string(id) + ")");
        return refuse ? S_FALSE : S_OK;
    }

private:
    CallLog& log_;
    ULONG refs_ = 1;
};

// A sink of the control's events (DIGleanerEvents, by IDispatch).
class FakeEventSink : public IDispatch {
public:
    explicit FakeEventSink(CallLog& log) : log_(log) {}
    virtual ~FakeEventSink() = default;
    ULONG Count() const { return refs_; }

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override { return ++refs_; }
    STDMETHOD_(ULONG, Release)() override { return --refs_; }
    STDMETHOD(GetTypeInfoCount)(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHOD(Invoke)(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                      EXCEPINFO*, UINT*) override {
        log_.Add("Invoke(" + std::to_string(id) + "," + std::to_string(flags) + "," +
                 std::to_string(params ? params->cArgs : 99) + ")");
        return S_OK;
    }

private:
    CallLog& log_;
    ULONG refs_ = 1;
};

class FakeAdviseSink : public IAdviseSink {
public:
    explicit FakeAdviseSink(CallLog& log) : log_(log) {}
    virtual ~FakeAdviseSink() = default;
    ULONG Count() const { return refs_; }

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override { return ++refs_; }
    STDMETHOD_(ULONG, Release)() override { return --refs_; }
    STDMETHOD_(void, OnDataChange)(FORMATETC*, STGMEDIUM*) override { log_.Add("OnDataChange"); }
    STDMETHOD_(void, OnViewChange)(DWORD aspect, LONG index) override {
        log_.Add("OnViewChange(" + std::to_string(aspect) + "," + std::to_string(index) + ")");
    }
    STDMETHOD_(void, OnRename)(IMoniker*) override { log_.Add("OnRename"); }
    STDMETHOD_(void, OnSave)() override { log_.Add("OnSave"); }
    STDMETHOD_(void, OnClose)() override { log_.Add("OnClose"); }

private:
    CallLog& log_;
    ULONG refs_ = 1;
};

}  // namespace gleaner_test
