#include "templates/control_base.h"

#include <vector>

#include "templates/tpl_trace.h"

CComControlBase::CComControlBase(HWND& window)
    : m_hWndCD(window),
      m_bNegotiatedWnd(0),
      m_bWndLess(0),
      m_bInPlaceActive(0),
      m_bUIActive(0),
      m_bInPlaceSiteEx(0),
      m_bWindowOnly(0),
      m_bRequiresSave(0),
      m_bRecomposeOnResize(0),
      m_bResizeNatural(0),
      m_bAutoSize(0) {}

CComControlBase::~CComControlBase() {
    if (m_hWndCD) ::DestroyWindow(m_hWndCD);
    ReleaseSites();
    tpl::ReleaseInterface(m_spOleAdviseHolder);
    tpl::ReleaseInterface(m_spDataAdviseHolder);
    tpl::ReleaseInterface(m_spAdviseSink);
    tpl::Trace("Control Destroyed\n");
}

void CComControlBase::ReleaseSites() {
    tpl::ReleaseInterface(m_spInPlaceSite);
    tpl::ReleaseInterface(m_spAmbientDispatch);
    tpl::ReleaseInterface(m_spClientSite);
    m_bNegotiatedWnd = 0;
    m_bInPlaceSiteEx = 0;
}

IOleInPlaceSiteWindowless* CComControlBase::WindowlessSite() const {
    // Only a site obtained as IOleInPlaceSiteWindowless lets the control go windowless.
    return m_bWndLess ? static_cast<IOleInPlaceSiteWindowless*>(m_spInPlaceSite) : nullptr;
}

HRESULT CComControlBase::OnDraw(TplDrawInfo& di) {
    RECT rc = {di.prcBounds->left, di.prcBounds->top, di.prcBounds->right, di.prcBounds->bottom};
    Rectangle(di.hdcDraw, rc.left, rc.top, rc.right, rc.bottom);
    return S_OK;
}

HRESULT CComControlBase::OnDrawAdvanced(TplDrawInfo& di) {
    int saved = SaveDC(di.hdcDraw);
    HRESULT hr = OnDraw(di);
    RestoreDC(di.hdcDraw, saved);
    return hr;
}

HRESULT CComControlBase::FireViewChange() {
    if (m_bInPlaceActive) {
        if (m_hWndCD) return InvalidateRect(m_hWndCD, nullptr, TRUE) ? S_OK : E_FAIL;
        if (IOleInPlaceSiteWindowless* site = WindowlessSite())
            return site->InvalidateRect(nullptr, TRUE);
        return S_OK;
    }
    SendOnViewChange(DVASPECT_CONTENT);
    return S_OK;
}

void CComControlBase::SendOnViewChange(DWORD aspect, LONG index) {
    if (m_spAdviseSink) m_spAdviseSink->OnViewChange(aspect, index);
}

HRESULT CComControlBase::SendOnDataChange(DWORD advf) {
    if (!m_spDataAdviseHolder) return S_OK;
    IDataObject* data = nullptr;
    HRESULT hr = ControlQueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data));
    if (FAILED(hr)) return hr;
    hr = m_spDataAdviseHolder->SendOnDataChange(data, 0, advf);
    data->Release();
    return hr;
}

HRESULT CComControlBase::GetAmbientProperty(DISPID id, VARIANT& value) {
    VariantInit(&value);
    if (!m_spAmbientDispatch) return E_FAIL;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return m_spAmbientDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                       &none, &value, nullptr, nullptr);
}

HRESULT CComControlBase::SendOnFocus(BOOL gotFocus) {
    if (!m_spClientSite) return S_OK;
    IOleControlSite* site = nullptr;
    HRESULT hr = m_spClientSite->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&site));
    if (FAILED(hr)) return hr;
    hr = site->OnFocus(gotFocus);
    site->Release();
    return hr;
}

bool CComControlBase::AmbientUserMode() {
    VARIANT value;
    HRESULT hr = GetAmbientProperty(DISPID_AMBIENT_USERMODE, value);
    bool userMode = !(SUCCEEDED(hr) && V_VT(&value) == VT_BOOL && V_BOOL(&value) == VARIANT_FALSE);
    VariantClear(&value);
    return userMode;
}

HRESULT CComControlBase::IOleObject_SetClientSite(IOleClientSite* site) {
    // Leaving a site means leaving its window first.
    if (m_bInPlaceActive) IOleInPlaceObject_InPlaceDeactivate();
    ReleaseSites();
    if (!site) return S_OK;
    site->AddRef();
    m_spClientSite = site;
    site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_spAmbientDispatch));
    return S_OK;
}

HRESULT CComControlBase::IOleObject_GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = m_spClientSite;
    if (m_spClientSite) m_spClientSite->AddRef();
    return S_OK;
}

HRESULT CComControlBase::IOleObject_Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_INVALIDARG;
    if (!m_spOleAdviseHolder) {
        HRESULT hr = CreateOleAdviseHolder(&m_spOleAdviseHolder);
        if (FAILED(hr)) return hr;
    }
    return m_spOleAdviseHolder->Advise(sink, cookie);
}

HRESULT CComControlBase::IOleObject_Close(DWORD saveOption) {
    if (m_bInPlaceActive) IOleInPlaceObject_InPlaceDeactivate();
    if (m_bRequiresSave && m_spClientSite &&
        (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE)) {
        m_spClientSite->SaveObject();
        if (m_spOleAdviseHolder) m_spOleAdviseHolder->SendOnSave();
    }
    tpl::ReleaseInterface(m_spInPlaceSite);
    m_bNegotiatedWnd = 0;
    m_bInPlaceSiteEx = 0;
    m_bWndLess = 0;
    if (m_spOleAdviseHolder) m_spOleAdviseHolder->SendOnClose();
    return S_OK;
}

HRESULT CComControlBase::IOleObject_SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    if (m_bAutoSize) return E_FAIL;
    bool changed = size->cx != m_sizeExtent.cx || size->cy != m_sizeExtent.cy;
    m_sizeExtent = *size;
    if (m_bResizeNatural) m_sizeNatural = *size;
    if (changed) SetDirty(TRUE);
    if (m_bRecomposeOnResize && changed) {
        SendOnDataChange();
        FireViewChange();
    }
    return S_OK;
}

// The embedding protocol: negotiate the kind of site once, tell it we go
// active, take our place in its window (a child window, or none at all for
// a windowless site), then UI-activate when the verb asks for it.
HRESULT CComControlBase::InPlaceActivate(LONG verb, const RECT*) {
    if (!m_spClientSite) return S_OK;
    if (!m_bNegotiatedWnd) {
        m_bWndLess = 0;
        if (!m_bWindowOnly &&
            SUCCEEDED(m_spClientSite->QueryInterface(IID_IOleInPlaceSiteWindowless,
                                                     reinterpret_cast<void**>(&m_spInPlaceSite)))) {
            m_bInPlaceSiteEx = 1;
            m_bWndLess = static_cast<IOleInPlaceSiteWindowless*>(m_spInPlaceSite)
                             ->CanWindowlessActivate() == S_OK;
        } else if (SUCCEEDED(m_spClientSite->QueryInterface(
                       IID_IOleInPlaceSiteEx, reinterpret_cast<void**>(&m_spInPlaceSite)))) {
            m_bInPlaceSiteEx = 1;
        } else {
            m_spClientSite->QueryInterface(IID_IOleInPlaceSite,
                                           reinterpret_cast<void**>(&m_spInPlaceSite));
        }
        m_bNegotiatedWnd = 1;
    }
    if (!m_spInPlaceSite) return E_FAIL;

    if (!m_bInPlaceActive) {
        BOOL noRedraw = FALSE;
        if (m_bInPlaceSiteEx) {
            HRESULT hr = static_cast<IOleInPlaceSiteEx*>(m_spInPlaceSite)
                             ->OnInPlaceActivateEx(&noRedraw, m_bWndLess ? ACTIVATE_WINDOWLESS : 0);
            if (FAILED(hr)) return hr;
        } else {
            HRESULT hr = m_spInPlaceSite->CanInPlaceActivate();
            if (FAILED(hr)) return hr;
            if (hr != S_OK) return E_FAIL;
            hr = m_spInPlaceSite->OnInPlaceActivate();
            if (FAILED(hr)) return hr;
        }
    }
    m_bInPlaceActive = 1;

    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* uiWindow = nullptr;
    HWND parent = nullptr;
    if (m_spInPlaceSite->GetWindow(&parent) == S_OK) {
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof frameInfo;
        RECT position = {}, clip = {};
        m_spInPlaceSite->GetWindowContext(&frame, &uiWindow, &position, &clip, &frameInfo);
        if (!m_bWndLess) {
            if (m_hWndCD) {
                ActivateControlWindow();
            } else if (!CreateControlWindow(parent, position)) {
                // Without its window the control is not active after all.
                tpl::Trace("Failed to create the control window\n");
                if (frame) frame->Release();
                if (uiWindow) uiWindow->Release();
                IOleInPlaceObject_InPlaceDeactivate();
                return E_FAIL;
            }
        }
        IOleInPlaceObject_SetObjectRects(&position, &clip);
    }

    HRESULT hr = S_OK;
    if ((verb == OLEIVERB_UIACTIVATE || verb == OLEIVERB_PRIMARY) && !m_bUIActive) {
        m_bUIActive = 1;
        hr = m_spInPlaceSite->OnUIActivate();
        if (FAILED(hr)) {
            m_bUIActive = 0;
        } else {
            if (m_hWndCD) SetFocus(m_hWndCD);
            IOleInPlaceActiveObject* active = nullptr;
            ControlQueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&active));
            if (frame) frame->SetActiveObject(active, nullptr);
            if (uiWindow) uiWindow->SetActiveObject(active, nullptr);
            if (active) active->Release();
            if (frame) frame->SetBorderSpace(nullptr);
            if (uiWindow) uiWindow->SetBorderSpace(nullptr);
        }
    }
    if (frame) frame->Release();
    if (uiWindow) uiWindow->Release();
    if (FAILED(hr)) return hr;
    m_spClientSite->ShowObject();
    return S_OK;
}

HRESULT CComControlBase::DoVerbProperties(LPCRECT, HWND parent) {
    ISpecifyPropertyPages* specify = nullptr;
    HRESULT hr = ControlQueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify));
    if (FAILED(hr)) return hr;
    CAUUID pages = {0, nullptr};
    hr = specify->GetPages(&pages);
    if (SUCCEEDED(hr)) {
        IUnknown* self = nullptr;
        ControlQueryInterface(IID_IUnknown, reinterpret_cast<void**>(&self));
        // The frame is captioned with the class's registered short name.
        LPOLESTR caption = nullptr;
        OleRegGetUserType(ControlClsid(), USERCLASSTYPE_SHORT, &caption);
        hr = OleCreatePropertyFrame(parent, 0, 0, caption ? caption : L"", 1, &self, pages.cElems,
                                    pages.pElems, LOCALE_USER_DEFAULT, 0, nullptr);
        CoTaskMemFree(caption);
        if (self) self->Release();
        CoTaskMemFree(pages.pElems);
    }
    specify->Release();
    return hr;
}

HRESULT CComControlBase::IOleInPlaceObject_InPlaceDeactivate() {
    if (!m_bInPlaceActive) return S_OK;
    if (m_bUIActive) IOleInPlaceObject_UIDeactivate();
    m_bInPlaceActive = 0;
    if (m_hWndCD) DestroyControlWindow();
    if (m_spInPlaceSite) {
        if (m_bInPlaceSiteEx)
            static_cast<IOleInPlaceSiteEx*>(m_spInPlaceSite)->OnInPlaceDeactivateEx(TRUE);
        else
            m_spInPlaceSite->OnInPlaceDeactivate();
    }
    return S_OK;
}

HRESULT CComControlBase::IOleInPlaceObject_UIDeactivate() {
    if (!m_bUIActive) return S_OK;
    m_bUIActive = 0;
    if (m_spInPlaceSite) {
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* uiWindow = nullptr;
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof frameInfo;
        RECT position, clip;
        if (SUCCEEDED(m_spInPlaceSite->GetWindowContext(&frame, &uiWindow, &position, &clip,
                                                        &frameInfo))) {
            if (uiWindow) uiWindow->SetActiveObject(nullptr, nullptr);
            if (frame) frame->SetActiveObject(nullptr, nullptr);
        }
        if (frame) frame->Release();
        if (uiWindow) uiWindow->Release();
        m_spInPlaceSite->OnUIDeactivate(FALSE);
    }
    return S_OK;
}

HRESULT CComControlBase::IOleInPlaceObject_SetObjectRects(LPCRECT position, LPCRECT clip) {
    if (!position) return E_POINTER;
    m_rcPos = *position;
    if (m_hWndCD) {
        // Show only the part of the control inside the clip rectangle.
        RECT visible;
        if (clip && IntersectRect(&visible, position, clip) && !EqualRect(&visible, position)) {
            OffsetRect(&visible, -position->left, -position->top);
            SetWindowRgn(m_hWndCD, CreateRectRgnIndirect(&visible), TRUE);
        } else if (RECT box; GetWindowRgnBox(m_hWndCD, &box) != ERROR) {
            // Only a window clipped before has a region to drop: setting none
            // on a window without one still repaints it.
            SetWindowRgn(m_hWndCD, nullptr, TRUE);
        }
        SetWindowPos(m_hWndCD, nullptr, position->left, position->top,
                     position->right - position->left, position->bottom - position->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return S_OK;
}

HRESULT CComControlBase::IViewObject_Draw(DWORD aspect, LONG index, void*, DVTARGETDEVICE* ptd,
                                          HDC targetDev, HDC dc, LPCRECTL bounds,
                                          LPCRECTL wBounds) {
    if (!dc) return E_INVALIDARG;
    RECTL active;
    if (!bounds) {
        // Only a windowless active control knows where it is without being told.
        if (!m_bWndLess || !m_bInPlaceActive) return E_INVALIDARG;
        active = {m_rcPos.left, m_rcPos.top, m_rcPos.right, m_rcPos.bottom};
        bounds = &active;
    }
    TplDrawInfo di;
    di.dwDrawAspect = aspect;
    di.lindex = index;
    di.ptd = ptd;
    di.hicTargetDev = targetDev;
    di.hdcDraw = dc;
    di.prcBounds = bounds;
    di.prcWBounds = wBounds;
    di.bOptimize = FALSE;
    return OnDrawAdvanced(di);
}

HRESULT CComControlBase::IDataObject_QueryGetData(const FORMATETC* format) {
    if (!format) return E_POINTER;
    if (format->cfFormat != CF_METAFILEPICT || !(format->tymed & TYMED_MFPICT))
        return DV_E_FORMATETC;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return S_OK;
}

// A metafile picture of the view, at the control's extent.
HRESULT CComControlBase::IDataObject_GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!format || !medium) return E_POINTER;
    HRESULT offered = IDataObject_QueryGetData(format);
    if (offered != S_OK) return offered;
    HDC recorder = CreateMetaFileW(nullptr);
    if (!recorder) return E_OUTOFMEMORY;
    SetMapMode(recorder, MM_ANISOTROPIC);
    SetWindowOrgEx(recorder, 0, 0, nullptr);
    SetWindowExtEx(recorder, m_sizeExtent.cx, m_sizeExtent.cy, nullptr);
    RECTL bounds = {0, 0, m_sizeExtent.cx, m_sizeExtent.cy};
    TplDrawInfo di;
    di.hdcDraw = recorder;
    di.prcBounds = &bounds;
    di.prcWBounds = &bounds;
    di.bRectInHimetric = TRUE;
    OnDrawAdvanced(di);
    HMETAFILE metafile = CloseMetaFile(recorder);
    if (!metafile) return E_UNEXPECTED;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, sizeof(METAFILEPICT));
    if (!memory) {
        DeleteMetaFile(metafile);
        return E_OUTOFMEMORY;
    }
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(memory));
    picture->mm = MM_ANISOTROPIC;
    picture->xExt = m_sizeExtent.cx;
    picture->yExt = m_sizeExtent.cy;
    picture->hMF = metafile;
    GlobalUnlock(memory);
    medium->tymed = TYMED_MFPICT;
    medium->hMetaFilePict = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT CComControlBase::IPersistStreamInit_Load(IStream* stream) {
    if (!stream) return E_POINTER;
    IUnknown* self = nullptr;
    ControlQueryInterface(IID_IUnknown, reinterpret_cast<void**>(&self));
    HRESULT hr = tpl::LoadProperties(stream, ControlPropertyMap(), self, m_sizeExtent);
    self->Release();
    // What was just loaded matches its source: nothing to save yet.
    if (SUCCEEDED(hr)) SetDirty(FALSE);
    return hr;
}

HRESULT CComControlBase::IPersistStreamInit_Save(IStream* stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    IUnknown* self = nullptr;
    ControlQueryInterface(IID_IUnknown, reinterpret_cast<void**>(&self));
    HRESULT hr = tpl::SaveProperties(stream, ControlPropertyMap(), self, m_sizeExtent);
    self->Release();
    if (SUCCEEDED(hr) && clearDirty) SetDirty(FALSE);
    return hr;
}

HRESULT CComControlBase::IPersistPropertyBag_Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) return E_POINTER;
    IUnknown* self = nullptr;
    ControlQueryInterface(IID_IUnknown, reinterpret_cast<void**>(&self));
    HRESULT hr = S_OK;
    for (const TplPropertyMapEntry* e = ControlPropertyMap(); !tpl::IsMapEnd(*e); ++e) {
        if (!tpl::IsPropertyEntry(*e)) continue;
        VARIANT value;
        VariantInit(&value);
        // A property the bag does not hold keeps its value.
        if (SUCCEEDED(bag->Read(e->description, &value, log))) {
            hr = tpl::PutProperty(self, *e, value);
            VariantClear(&value);
            if (FAILED(hr)) break;
        }
    }
    self->Release();
    if (SUCCEEDED(hr)) SetDirty(FALSE);
    return hr;
}

HRESULT CComControlBase::IPersistPropertyBag_Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag) return E_POINTER;
    IUnknown* self = nullptr;
    ControlQueryInterface(IID_IUnknown, reinterpret_cast<void**>(&self));
    HRESULT hr = S_OK;
    for (const TplPropertyMapEntry* e = ControlPropertyMap(); SUCCEEDED(hr) && !tpl::IsMapEnd(*e);
         ++e) {
        if (!tpl::IsPropertyEntry(*e)) continue;
        VARIANT value;
        hr = tpl::GetProperty(self, *e, value);
        if (SUCCEEDED(hr)) hr = bag->Write(e->description, &value);
        VariantClear(&value);
    }
    self->Release();
    if (SUCCEEDED(hr) && clearDirty) SetDirty(FALSE);
    return hr;
}

LRESULT CComControlBase::OnPaint(UINT, WPARAM wParam, LPARAM, BOOL&) {
    // Without a window of its own (a windowless container forwarding the
    // message) the control paints where the site placed it, on the given DC.
    RECT client = m_rcPos;
    if (m_hWndCD) GetClientRect(m_hWndCD, &client);
    else if (!wParam) return 0;
    PAINTSTRUCT ps = {};
    HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(m_hWndCD, &ps);
    if (!dc) return 0;
    RECTL bounds = {client.left, client.top, client.right, client.bottom};
    TplDrawInfo di;
    di.hdcDraw = dc;
    di.prcBounds = &bounds;
    OnDrawAdvanced(di);
    if (!wParam) EndPaint(m_hWndCD, &ps);
    return 0;
}
