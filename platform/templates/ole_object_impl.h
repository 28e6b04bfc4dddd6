// The stock IOleObject and IOleControl: site, verbs, extent, advise sinks,
// and the registered verbs, user type and status bits of the class.
#pragma once
#include "templates/control.h"

template <class T>
class IOleObjectImpl : public TplInterface<T, IOleObject> {
public:
    STDMETHOD(SetClientSite)(IOleClientSite* site) override {
        TPL_TRACE_METHOD("IOleObjectImpl::SetClientSite");
        return Self()->IOleObject_SetClientSite(site);
    }
    STDMETHOD(GetClientSite)(IOleClientSite** site) override {
        TPL_TRACE_METHOD("IOleObjectImpl::GetClientSite");
        return Self()->IOleObject_GetClientSite(site);
    }
    STDMETHOD(SetHostNames)(LPCOLESTR, LPCOLESTR) override {
        TPL_TRACE_METHOD("IOleObjectImpl::SetHostNames");
        return S_OK;
    }
    STDMETHOD(Close)(DWORD saveOption) override {
        TPL_TRACE_METHOD("IOleObjectImpl::Close");
        return Self()->IOleObject_Close(saveOption);
    }
    STDMETHOD(SetMoniker)(DWORD, IMoniker*) override {
        TPL_TRACE_METHOD("IOleObjectImpl::SetMoniker");
        return E_NOTIMPL;
    }
    STDMETHOD(GetMoniker)(DWORD, DWORD, IMoniker** out) override {
        TPL_TRACE_METHOD("IOleObjectImpl::GetMoniker");
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHOD(InitFromData)(IDataObject*, BOOL, DWORD) override {
        TPL_TRACE_METHOD("IOleObjectImpl::InitFromData");
        return E_NOTIMPL;
    }
    STDMETHOD(GetClipboardData)(DWORD, IDataObject** out) override {
        TPL_TRACE_METHOD("IOleObjectImpl::GetClipboardData");
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHOD(DoVerb)(LONG verb, LPMSG, IOleClientSite*, LONG, HWND parent,
                      LPCRECT position) override {
        TPL_TRACE_METHOD("IOleObjectImpl::DoVerb");
        T* self = Self();
        switch (verb) {
        case OLEIVERB_PRIMARY:
            if (!self->AmbientUserMode()) return self->DoVerbProperties(position, parent);
            return self->InPlaceActivate(verb, position);
        case OLEIVERB_PROPERTIES:
            return self->DoVerbProperties(position, parent);
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
        case OLEIVERB_SHOW:
            return self->InPlaceActivate(verb, position);
        case OLEIVERB_HIDE:
            self->IOleInPlaceObject_UIDeactivate();
            if (self->m_hWndCD) ShowWindow(self->m_hWndCD, SW_HIDE);
            return S_OK;
        case OLEIVERB_OPEN:
        case OLEIVERB_DISCARDUNDOSTATE:
            return S_OK;
        default:
            return self->DoCustomVerb(verb);
        }
    }
    // A class handles its own registered verbs by hiding this.
    HRESULT DoCustomVerb(LONG) { return E_NOTIMPL; }

    STDMETHOD(EnumVerbs)(IEnumOLEVERB** out) override {
        TPL_TRACE_METHOD("IOleObjectImpl::EnumVerbs");
        if (!out) return E_POINTER;
        return OleRegEnumVerbs(T::GetObjectCLSID(), out);
    }
    STDMETHOD(Update)() override {
        TPL_TRACE_METHOD("IOleObjectImpl::Update");
        return S_OK;
    }
    STDMETHOD(IsUpToDate)() override {
        TPL_TRACE_METHOD("IOleObjectImpl::IsUpToDate");
        return S_OK;
    }
    STDMETHOD(GetUserClassID)(CLSID* clsid) override {
        TPL_TRACE_METHOD("IOleObjectImpl::GetUserClassID");
        if (!clsid) return E_POINTER;
        *clsid = T::GetObjectCLSID();
        return S_OK;
    }
    STDMETHOD(GetUserType)(DWORD form, LPOLESTR* type) override {
        TPL_TRACE_METHOD("IOleObjectImpl::GetUserType");
        if (!type) return E_POINTER;
        return OleRegGetUserType(T::GetObjectCLSID(), form, type);
    }
    STDMETHOD(SetExtent)(DWORD aspect, SIZEL* size) override {
        TPL_TRACE_METHOD("IOleObjectImpl::SetExtent");
        return Self()->IOleObject_SetExtent(aspect, size);
    }
    STDMETHOD(GetExtent)(DWORD aspect, SIZEL* size) override {
        TPL_TRACE_METHOD("IOleObjectImpl::GetExtent");
        if (!size) return E_POINTER;
        if (aspect != DVASPECT_CONTENT) return E_FAIL;
        *size = Self()->m_sizeExtent;
        return S_OK;
    }
    STDMETHOD(Advise)(IAdviseSink* sink, DWORD* cookie) override {
        TPL_TRACE_METHOD("IOleObjectImpl::Advise");
        return Self()->IOleObject_Advise(sink, cookie);
    }
    STDMETHOD(Unadvise)(DWORD cookie) override {
        TPL_TRACE_METHOD("IOleObjectImpl::Unadvise");
        if (!Self()->m_spOleAdviseHolder) return OLE_E_NOCONNECTION;
        return Self()->m_spOleAdviseHolder->Unadvise(cookie);
    }
    STDMETHOD(EnumAdvise)(IEnumSTATDATA** out) override {
        TPL_TRACE_METHOD("IOleObjectImpl::EnumAdvise");
        if (!out) return E_POINTER;
        *out = nullptr;
        // Success promises an enumerator, even over no sinks at all.
        T* self = Self();
        if (!self->m_spOleAdviseHolder) {
            HRESULT hr = CreateOleAdviseHolder(&self->m_spOleAdviseHolder);
            if (FAILED(hr)) return hr;
        }
        return self->m_spOleAdviseHolder->EnumAdvise(out);
    }
    STDMETHOD(GetMiscStatus)(DWORD aspect, DWORD* status) override {
        TPL_TRACE_METHOD("IOleObjectImpl::GetMiscStatus");
        if (!status) return E_POINTER;
        return OleRegGetMiscStatus(T::GetObjectCLSID(), aspect, status);
    }
    STDMETHOD(SetColorScheme)(LOGPALETTE*) override {
        TPL_TRACE_METHOD("IOleObjectImpl::SetColorScheme");
        return E_NOTIMPL;
    }

private:
    T* Self() { return static_cast<T*>(this); }
};

template <class T>
class IOleControlImpl : public TplInterface<T, IOleControl> {
public:
    STDMETHOD(GetControlInfo)(CONTROLINFO*) override {
        TPL_TRACE_METHOD("IOleControlImpl::GetControlInfo");
        return E_NOTIMPL;
    }
    STDMETHOD(OnMnemonic)(MSG*) override {
        TPL_TRACE_METHOD("IOleControlImpl::OnMnemonic");
        return E_NOTIMPL;
    }
    STDMETHOD(OnAmbientPropertyChange)(DISPID id) override {
        TPL_TRACE_METHOD("IOleControlImpl::OnAmbientPropertyChange");
        static_cast<T*>(this)->OnAmbientPropertyChanged(id);
        return S_OK;
    }
    STDMETHOD(FreezeEvents)(BOOL freeze) override {
        TPL_TRACE_METHOD("IOleControlImpl::FreezeEvents");
        T* self = static_cast<T*>(this);
        if (freeze)
            ++self->m_nFreezeEvents;
        else if (self->m_nFreezeEvents > 0)
            --self->m_nFreezeEvents;
        return S_OK;
    }
};
