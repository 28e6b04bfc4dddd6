// A container's site for one control, as the tests of every control and
// proxy drive it: client site, in-place site (plain, extended or
// windowless), control site, the ambient properties (through its IDispatch)
// and the in-place frame it hands out with its window context. Every call
// the control makes is recorded in the call log; methods no control of
// ours may call fail the test at once.
//
//   suite::testing::CallLog log;
//   suite::testing::FakeSite site(log, suite::testing::InPlaceSiteKind::Windowless);
//   site.SetAmbient(DISPID_AMBIENT_USERMODE, suite::testing::BoolVariant(false));
//   object->SetClientSite(&site);
//   EXPECT_CALLS(log, {"QueryInterface(IDispatch)"});
//   ...
//   EXPECT_EQ(site.refs, 0);   // the control gave back everything
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <utility>
#include <vector>

#include "testing/fake_object.h"

namespace suite::testing {

// Which in-place site interfaces the site offers beyond IOleClientSite.
enum class InPlaceSiteKind {
    None,        // no in-place activation at all
    Plain,       // IOleInPlaceSite
    Ex,          // and IOleInPlaceSiteEx
    Windowless,  // and IOleInPlaceSiteWindowless
};

// The frame handed out by GetWindowContext. A control may make itself the
// active object and ask for border space; the frame keeps no reference to it.
class FakeFrame : public FakeObject<IOleInPlaceFrame> {
public:
    using FakeObject::FakeObject;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP GetWindow(HWND*) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;
    STDMETHODIMP GetBorder(LPRECT) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override;
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override;
    STDMETHODIMP RemoveMenus(HMENU) override;
    STDMETHODIMP SetStatusText(LPCOLESTR) override;
    STDMETHODIMP EnableModeless(BOOL) override;
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override;
};

class FakeSite
    : public FakeObject<IOleClientSite, IOleInPlaceSiteWindowless, IOleControlSite, IDispatch> {
public:
    // Makes the container's window: a visible 400 by 300 popup.
    explicit FakeSite(CallLog& log, InPlaceSiteKind kind = InPlaceSiteKind::Plain);
    ~FakeSite() override;

    // What the site answers; change before driving the control.
    InPlaceSiteKind kind;
    bool offersControlSite = true;
    bool handsOutFrame = true;  // else GetWindowContext gives no frame
    HRESULT canInPlaceActivate = S_OK;
    HRESULT canWindowlessActivate = S_OK;
    RECT position{10, 20, 110, 80};  // in the container window's coordinates
    RECT clip{0, 0, 400, 300};
    HWND window = nullptr;  // the test may destroy it to refuse a child window
    FakeFrame frame;

    // Ambient properties, read through the site's IDispatch ("Ambient(id)"
    // in the log); one never set is not found. The value is copied.
    void SetAmbient(DISPID id, const VARIANT& value);
    // The ambient font (DISPID_AMBIENT_FONT) as a font object.
    void SetAmbientFont(const wchar_t* name, int points, bool bold = false);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override;
    STDMETHODIMP GetContainer(IOleContainer** out) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;
    // IOleWindow and IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* out) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override;
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frameOut, IOleInPlaceUIWindow** document,
                                  LPRECT positionOut, LPRECT clipOut,
                                  LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT) override;
    // IOleInPlaceSiteEx
    STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override;
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL redraw) override;
    STDMETHODIMP RequestUIActivate() override;
    // IOleInPlaceSiteWindowless
    STDMETHODIMP CanWindowlessActivate() override;
    STDMETHODIMP GetCapture() override;
    STDMETHODIMP SetCapture(BOOL capture) override;
    STDMETHODIMP GetFocus() override;
    STDMETHODIMP SetFocus(BOOL focus) override;
    STDMETHODIMP GetDC(LPCRECT, DWORD, HDC* dc) override;
    STDMETHODIMP ReleaseDC(HDC) override;
    STDMETHODIMP InvalidateRect(LPCRECT rect, BOOL erase) override;
    STDMETHODIMP InvalidateRgn(HRGN, BOOL erase) override;
    STDMETHODIMP ScrollRect(INT, INT, LPCRECT, LPCRECT) override;
    STDMETHODIMP AdjustRect(LPRECT) override;
    STDMETHODIMP OnDefWindowMessage(UINT message, WPARAM, LPARAM, LRESULT* result) override;
    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override;
    STDMETHODIMP LockInPlaceActive(BOOL lock) override;
    STDMETHODIMP GetExtendedControl(IDispatch** out) override;
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override;
    STDMETHODIMP OnFocus(BOOL gotFocus) override;
    STDMETHODIMP ShowPropertyFrame() override;
    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    std::vector<std::pair<DISPID, VARIANT>> ambients_;
};

// Values for SetAmbient.
VARIANT BoolVariant(bool value);
VARIANT ColourVariant(OLE_COLOR colour);

// The window the control shows itself in (IOleWindow), or null.
HWND ControlWindow(IUnknown* control);
// Runs the window messages waiting for this thread (paints, posted calls).
void PumpMessages();

}  // namespace suite::testing
