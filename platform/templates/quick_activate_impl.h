// The stock quick activation: the container hands over its site, its sinks
// and its ambients in one call, and the control answers its status.
#pragma once
#include "templates/control.h"

template <class T>
class IQuickActivateImpl : public TplInterface<T, IQuickActivate> {
public:
    STDMETHOD(QuickActivate)(QACONTAINER* container, QACONTROL* control) override {
        TPL_TRACE_METHOD("IQuickActivateImpl::QuickActivate");
        if (!container || !control) return E_POINTER;
        if (container->cbSize < sizeof(QACONTAINER) || control->cbSize < sizeof(QACONTROL))
            return E_INVALIDARG;
        T* self = static_cast<T*>(this);
        self->IOleObject_SetClientSite(container->pClientSite);
        if (container->pAdviseSink) {
            tpl::AssignInterface<IAdviseSink>(self->m_spAdviseSink, container->pAdviseSink);
            self->m_dwViewAdviseAspects = DVASPECT_CONTENT;
        }
        control->dwMiscStatus = 0;
        OleRegGetMiscStatus(T::GetObjectCLSID(), DVASPECT_CONTENT, &control->dwMiscStatus);
        control->dwViewStatus = 0;
        control->dwEventCookie = 0;
        control->dwPropNotifyCookie = 0;
        control->dwPointerActivationPolicy = 0;
        for (const TplConnectionPointEntry* e = T::GetConnMap(); e->iid; ++e) {
            TplConnectionPoint* point = e->find(self);
            bool notify = InlineIsEqualGUID(*e->iid, IID_IPropertyNotifySink);
            IUnknown* sink = notify ? container->pPropertyNotifySink : container->pUnkEventSink;
            DWORD* cookie = notify ? &control->dwPropNotifyCookie : &control->dwEventCookie;
            if (sink && *cookie == 0) point->Advise(sink, cookie);
        }
        return S_OK;
    }
    STDMETHOD(SetContentExtent)(LPSIZEL size) override {
        TPL_TRACE_METHOD("IQuickActivateImpl::SetContentExtent");
        return static_cast<T*>(this)->IOleObject_SetExtent(DVASPECT_CONTENT, size);
    }
    STDMETHOD(GetContentExtent)(LPSIZEL size) override {
        TPL_TRACE_METHOD("IQuickActivateImpl::GetContentExtent");
        if (!size) return E_POINTER;
        *size = static_cast<T*>(this)->m_sizeExtent;
        return S_OK;
    }
};
