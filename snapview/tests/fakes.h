// Container-side objects of the tests' own: each records the calls it
// receives in a CallLog and counts its references. They live on the test's
// stack; `refs` must be back at 0 when the control has let go of them.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include "testing/call_log.h"

namespace snapview_test {

// The in-place frame the site hands out with its window context.
class FakeFrame : public IOleInPlaceFrame {
public:
    explicit FakeFrame(suite::testing::CallLog& log) : log_(log) {}
    LONG refs = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP GetWindow(HWND*) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;
    STDMETHODIMP GetBorder(LPRECT) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override;
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override;
    STDMETHODIMP RemoveMenus(HMENU) override;
    STDMETHODIMP SetStatusText(LPCOLESTR) override;
    STDMETHODIMP EnableModeless(BOOL) override;
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override;

private:
    suite::testing::CallLog& log_;
};

// A client site that is also an in-place site, over a window of its own.
class FakeSite : public IOleClientSite, public IOleInPlaceSite {
public:
    explicit FakeSite(suite::testing::CallLog& log);
    ~FakeSite();
    LONG refs = 0;

    // What the site answers; change before driving the control.
    bool offersInPlaceSite = true;
    HRESULT canInPlaceActivate = S_OK;
    RECT position{10, 20, 110, 80};
    RECT clip{0, 0, 400, 300};
    FakeFrame frame;
    HWND window = nullptr;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override;
    STDMETHODIMP GetContainer(IOleContainer**) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;
    // IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override;
    STDMETHODIMP OnUIDeactivate(BOOL) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT) override;

private:
    suite::testing::CallLog& log_;
};

class FakeAdviseSink : public IAdviseSink {
public:
    explicit FakeAdviseSink(suite::testing::CallLog& log) : log_(log) {}
    LONG refs = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override;
    STDMETHODIMP_(void) OnViewChange(DWORD, LONG) override;
    STDMETHODIMP_(void) OnRename(IMoniker*) override;
    STDMETHODIMP_(void) OnSave() override;
    STDMETHODIMP_(void) OnClose() override;

private:
    suite::testing::CallLog& log_;
};

// An event sink that offers the dispinterface `events` (or nothing more
// than IUnknown when it is GUID_NULL). Any event call is unexpected.
class FakeEventSink : public IDispatch {
public:
    FakeEventSink(suite::testing::CallLog& log, REFIID events) : log_(log), events_(events) {}
    LONG refs = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP GetTypeInfoCount(UINT*) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override;

private:
    suite::testing::CallLog& log_;
    IID events_;
};

// An outer object that aggregates the control: it answers IUnknown itself
// and hands every other query to the control's inner unknown.
class FakeOuter : public IUnknown {
public:
    explicit FakeOuter(suite::testing::CallLog& log) : log_(log) {}
    LONG refs = 0;
    IUnknown* inner = nullptr;  // owned: released by ReleaseInner

    void ReleaseInner();
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }

private:
    suite::testing::CallLog& log_;
};

}  // namespace snapview_test
