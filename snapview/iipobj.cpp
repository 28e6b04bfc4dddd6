#include "iipobj.h"

#include "snapview.h"
#include "trace.h"

SNAPVIEW_TRACE_MODULE("IIPOBJ");

namespace snapview {

TImpIOleInPlaceObject::TImpIOleInPlaceObject(TSnapview* owner, IUnknown* controllingUnknown)
    : Owner(owner), ControllingUnknown(controllingUnknown) {}

STDMETHODIMP TImpIOleInPlaceObject::QueryInterface(REFIID riid, void** ppv) {
    TRACE(" TImpIOleInPlaceObject::QueryInterface");
    return ControllingUnknown->QueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) TImpIOleInPlaceObject::AddRef() {
    TRACE(" TImpIOleInPlaceObject::AddRef");
    ++RefCount;
    return ControllingUnknown->AddRef();
}

STDMETHODIMP_(ULONG) TImpIOleInPlaceObject::Release() {
    TRACE(" TImpIOleInPlaceObject::Release");
    --RefCount;
    return ControllingUnknown->Release();
}

STDMETHODIMP TImpIOleInPlaceObject::GetWindow(HWND* window) {
    TRACE(" TImpIOleInPlaceObject::GetWindow");
    if (!window) return E_INVALIDARG;
    *window = Owner->Window;
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP TImpIOleInPlaceObject::ContextSensitiveHelp(BOOL) {
    TRACE("TImpIOleInPlaceObject::ContextSensitiveHelp");
    return E_NOTIMPL;
}

STDMETHODIMP TImpIOleInPlaceObject::InPlaceDeactivate() {
    TRACE(" TImpIOleInPlaceObject::InPlaceDeactivate");
    return S_OK;
}

STDMETHODIMP TImpIOleInPlaceObject::UIDeactivate() {
    TRACE(" TImpIOleInPlaceObject::UIDeactivate");
    return S_OK;
}

STDMETHODIMP TImpIOleInPlaceObject::SetObjectRects(LPCRECT position, LPCRECT clip) {
    TRACE("TImpIOleInPlaceObject::SetObjectRects");
    if (!position || !clip) return E_POINTER;
    HWND window = Owner->Window;
    if (!window) return S_OK;
    // Only a partly covered window needs a region; the region is in the
    // window's own coordinates, and the window owns it once it is set.
    HRGN visible = nullptr;
    RECT overlap;
    if (IntersectRect(&overlap, position, clip) && !EqualRect(&overlap, position)) {
        OffsetRect(&overlap, -position->left, -position->top);
        visible = CreateRectRgnIndirect(&overlap);
    }
    // Setting no region on a window that has none still repaints it.
    if (RECT box; visible || GetWindowRgnBox(window, &box) != ERROR) SetWindowRgn(window, visible, TRUE);
    SetWindowPos(window, nullptr, position->left, position->top, position->right - position->left,
                 position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return S_OK;
}

STDMETHODIMP TImpIOleInPlaceObject::ReactivateAndUndo() {
    TRACE("TImpIOleInPlaceObject::ReactivateAndUndo");
    return S_OK;
}

}  // namespace snapview
