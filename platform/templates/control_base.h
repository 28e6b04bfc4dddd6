// The state every control shares (sites, advise holders, extents, the
// activation flags) and the embedding protocol steps the stock interfaces
// are made of: in-place activation and deactivation, view-change and
// data-change notices, ambient properties, painting and property notices.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "templates/property_map.h"

// What one drawing request asks for.
struct TplDrawInfo {
    UINT cbSize = sizeof(TplDrawInfo);
    DWORD dwDrawAspect = DVASPECT_CONTENT;
    LONG lindex = -1;
    DVTARGETDEVICE* ptd = nullptr;
    HDC hicTargetDev = nullptr;
    HDC hdcDraw = nullptr;
    const RECTL* prcBounds = nullptr;   // in device units of hdcDraw
    const RECTL* prcWBounds = nullptr;  // metafile bounds, when drawing into one
    BOOL bOptimize = FALSE;
    BOOL bZoomed = FALSE;
    BOOL bRectInHimetric = FALSE;
    SIZEL ZoomNum = {};
    SIZEL ZoomDen = {};
};

class CComControlBase {
public:
    explicit CComControlBase(HWND& window);
    virtual ~CComControlBase();
    CComControlBase(const CComControlBase&) = delete;
    CComControlBase& operator=(const CComControlBase&) = delete;

    // Supplied by CComControl<T> from the class.
    virtual HRESULT ControlQueryInterface(REFIID iid, void** out) = 0;
    // The control window's three steps. Making it: a window inside the
    // container's window at the position, whose handle becomes m_hWndCD.
    // Activating it again while it is still in that window (after a hide
    // verb): shown by default. Taking it out at in-place deactivation:
    // destroyed by default; a control whose window outlives activation
    // (one that belongs to a framework control) takes it back instead and
    // clears m_hWndCD, so the next activation makes it anew.
    virtual HWND CreateControlWindow(HWND parent, const RECT& position) = 0;
    virtual void ActivateControlWindow() { ::ShowWindow(m_hWndCD, SW_SHOW); }
    virtual void DestroyControlWindow() { ::DestroyWindow(m_hWndCD); }
    virtual const TplPropertyMapEntry* ControlPropertyMap() = 0;
    virtual const CLSID& ControlClsid() = 0;
    virtual HRESULT FireOnRequestEdit(DISPID id) = 0;
    virtual HRESULT FireOnChanged(DISPID id) = 0;

    // Told when the container reports a changed ambient property (DISPID_UNKNOWN: all).
    virtual void OnAmbientPropertyChanged(DISPID) {}

    // The class's drawing; the default draws a rectangle.
    virtual HRESULT OnDraw(TplDrawInfo& di);
    // Prepares the device context around OnDraw.
    virtual HRESULT OnDrawAdvanced(TplDrawInfo& di);

    // Repaints wherever the control is shown, or tells the view's advise sink.
    HRESULT FireViewChange();
    void SendOnViewChange(DWORD aspect, LONG index = -1);
    HRESULT SendOnDataChange(DWORD advf = 0);
    void SetDirty(BOOL dirty) { m_bRequiresSave = dirty; }
    BOOL GetDirty() const { return m_bRequiresSave; }

    HRESULT GetAmbientProperty(DISPID id, VARIANT& value);
    // The focus hook: tells the control site (IOleControlSite::OnFocus)
    // that the control's window gained or lost the focus.
    HRESULT SendOnFocus(BOOL gotFocus);
    // False only when the container says so: a missing ambient means run mode.
    bool AmbientUserMode();

    HRESULT InPlaceActivate(LONG verb, const RECT* position = nullptr);
    HRESULT DoVerbProperties(LPCRECT position, HWND parent);

    // The steps of the stock interfaces that do not depend on the class.
    HRESULT IOleObject_SetClientSite(IOleClientSite* site);
    HRESULT IOleObject_GetClientSite(IOleClientSite** site);
    HRESULT IOleObject_Advise(IAdviseSink* sink, DWORD* cookie);
    HRESULT IOleObject_Close(DWORD saveOption);
    HRESULT IOleObject_SetExtent(DWORD aspect, SIZEL* size);
    HRESULT IOleInPlaceObject_InPlaceDeactivate();
    HRESULT IOleInPlaceObject_UIDeactivate();
    HRESULT IOleInPlaceObject_SetObjectRects(LPCRECT position, LPCRECT clip);
    HRESULT IViewObject_Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* ptd,
                             HDC targetDev, HDC dc, LPCRECTL bounds, LPCRECTL wBounds);
    // Whether GetData renders this format: only the view's metafile picture.
    HRESULT IDataObject_QueryGetData(const FORMATETC* format);
    HRESULT IDataObject_GetData(FORMATETC* format, STGMEDIUM* medium);
    HRESULT IPersistStreamInit_Load(IStream* stream);
    HRESULT IPersistStreamInit_Save(IStream* stream, BOOL clearDirty);
    HRESULT IPersistPropertyBag_Load(IPropertyBag* bag, IErrorLog* log);
    HRESULT IPersistPropertyBag_Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll);

    LRESULT OnPaint(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);

    // Control state. Pointers are counted references the control owns.
    HWND& m_hWndCD;
    IOleClientSite* m_spClientSite = nullptr;
    IOleInPlaceSite* m_spInPlaceSite = nullptr;  // a windowless site when m_bWndLess
    IOleAdviseHolder* m_spOleAdviseHolder = nullptr;
    IDataAdviseHolder* m_spDataAdviseHolder = nullptr;
    IAdviseSink* m_spAdviseSink = nullptr;        // the view's, from SetAdvise
    DWORD m_dwViewAdviseAspects = 0;
    DWORD m_dwViewAdviseFlags = 0;
    IDispatch* m_spAmbientDispatch = nullptr;
    SIZEL m_sizeExtent = {5080, 5080};   // HIMETRIC: two inches square
    SIZEL m_sizeNatural = {5080, 5080};
    RECT m_rcPos = {};
    LONG m_nFreezeEvents = 0;

    unsigned m_bNegotiatedWnd : 1;
    unsigned m_bWndLess : 1;
    unsigned m_bInPlaceActive : 1;
    unsigned m_bUIActive : 1;
    unsigned m_bInPlaceSiteEx : 1;
    unsigned m_bWindowOnly : 1;
    unsigned m_bRequiresSave : 1;
    unsigned m_bRecomposeOnResize : 1;
    unsigned m_bResizeNatural : 1;
    unsigned m_bAutoSize : 1;

private:
    IOleInPlaceSiteWindowless* WindowlessSite() const;
    void ReleaseSites();
};

namespace tpl {
// Releases and clears a counted pointer.
template <class I>
void ReleaseInterface(I*& p) {
    if (p) {
        I* old = p;
        p = nullptr;
        old->Release();
    }
}
// Replaces a counted pointer with another, counting the new one first.
template <class I>
void AssignInterface(I*& p, I* value) {
    if (value) value->AddRef();
    ReleaseInterface(p);
    p = value;
}
}  // namespace tpl
