// The stock view (drawing, extents, hit tests, the view's advise sink) and
// the stock data object (a metafile picture of the view, data advise).
#pragma once
#include "templates/control.h"

template <class T>
class IViewObjectExImpl : public TplInterface<T, IViewObjectEx> {
public:
    STDMETHOD(Draw)(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* ptd,
                    HDC targetDev, HDC dc, LPCRECTL bounds, LPCRECTL wBounds,
                    BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::Draw");
        return Self()->IViewObject_Draw(aspect, index, aspectInfo, ptd, targetDev, dc, bounds,
                                        wBounds);
    }
    STDMETHOD(GetColorSet)(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** out) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::GetColorSet");
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHOD(Freeze)(DWORD, LONG, void*, DWORD*) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::Freeze");
        return E_NOTIMPL;
    }
    STDMETHOD(Unfreeze)(DWORD) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::Unfreeze");
        return E_NOTIMPL;
    }
    STDMETHOD(SetAdvise)(DWORD aspects, DWORD advf, IAdviseSink* sink) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::SetAdvise");
        tpl::AssignInterface(Self()->m_spAdviseSink, sink);
        Self()->m_dwViewAdviseAspects = aspects;
        Self()->m_dwViewAdviseFlags = advf;
        return S_OK;
    }
    STDMETHOD(GetAdvise)(DWORD* aspects, DWORD* advf, IAdviseSink** sink) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::GetAdvise");
        if (aspects) *aspects = Self()->m_dwViewAdviseAspects;
        if (advf) *advf = Self()->m_dwViewAdviseFlags;
        if (sink) {
            *sink = Self()->m_spAdviseSink;
            if (*sink) (*sink)->AddRef();
        }
        return S_OK;
    }
    STDMETHOD(GetExtent)(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::GetExtent");
        if (!size) return E_POINTER;
        if (aspect != DVASPECT_CONTENT) return E_FAIL;
        *size = Self()->m_sizeExtent;
        return S_OK;
    }
    STDMETHOD(GetRect)(DWORD, LPRECTL) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::GetRect");
        return E_NOTIMPL;
    }
    STDMETHOD(GetViewStatus)(DWORD* status) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::GetViewStatus");
        if (!status) return E_POINTER;
        *status = 0;  // may leave parts undrawn: the container paints behind
        return S_OK;
    }
    STDMETHOD(QueryHitPoint)(DWORD aspect, LPCRECT bounds, POINT location, LONG,
                             DWORD* result) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::QueryHitPoint");
        if (!bounds || !result) return E_POINTER;
        if (aspect != DVASPECT_CONTENT) return E_FAIL;
        *result = PtInRect(bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
        return S_OK;
    }
    STDMETHOD(QueryHitRect)(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG,
                            DWORD* result) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::QueryHitRect");
        if (!bounds || !location || !result) return E_POINTER;
        if (aspect != DVASPECT_CONTENT) return E_FAIL;
        RECT overlap;
        *result = IntersectRect(&overlap, bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
        return S_OK;
    }
    STDMETHOD(GetNaturalExtent)(DWORD aspect, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO* info,
                                LPSIZEL size) override {
        TPL_TRACE_METHOD("IViewObjectExImpl::GetNaturalExtent");
        if (!info || !size) return E_POINTER;
        if (aspect != DVASPECT_CONTENT || info->dwExtentMode != DVEXTENT_CONTENT) return E_NOTIMPL;
        *size = Self()->m_sizeNatural;
        return S_OK;
    }

private:
    T* Self() { return static_cast<T*>(this); }
};

template <class T>
class IDataObjectImpl : public TplInterface<T, IDataObject> {
public:
    STDMETHOD(GetData)(FORMATETC* format, STGMEDIUM* medium) override {
        TPL_TRACE_METHOD("IDataObjectImpl::GetData");
        return static_cast<T*>(this)->IDataObject_GetData(format, medium);
    }
    STDMETHOD(GetDataHere)(FORMATETC*, STGMEDIUM*) override {
        TPL_TRACE_METHOD("IDataObjectImpl::GetDataHere");
        return E_NOTIMPL;
    }
    STDMETHOD(QueryGetData)(FORMATETC* format) override {
        TPL_TRACE_METHOD("IDataObjectImpl::QueryGetData");
        return static_cast<T*>(this)->IDataObject_QueryGetData(format);
    }
    STDMETHOD(GetCanonicalFormatEtc)(FORMATETC*, FORMATETC*) override {
        TPL_TRACE_METHOD("IDataObjectImpl::GetCanonicalFormatEtc");
        return E_NOTIMPL;
    }
    STDMETHOD(SetData)(FORMATETC*, STGMEDIUM*, BOOL) override {
        TPL_TRACE_METHOD("IDataObjectImpl::SetData");
        return E_NOTIMPL;
    }
    STDMETHOD(EnumFormatEtc)(DWORD, IEnumFORMATETC** out) override {
        TPL_TRACE_METHOD("IDataObjectImpl::EnumFormatEtc");
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHOD(DAdvise)(FORMATETC* format, DWORD advf, IAdviseSink* sink, DWORD* cookie) override {
        TPL_TRACE_METHOD("IDataObjectImpl::DAdvise");
        if (!cookie) return E_POINTER;
        *cookie = 0;
        if (!format || !sink) return E_INVALIDARG;
        T* self = static_cast<T*>(this);
        if (!self->m_spDataAdviseHolder) {
            HRESULT hr = CreateDataAdviseHolder(&self->m_spDataAdviseHolder);
            if (FAILED(hr)) return hr;
        }
        return self->m_spDataAdviseHolder->Advise(this, format, advf, sink, cookie);
    }
    STDMETHOD(DUnadvise)(DWORD cookie) override {
        TPL_TRACE_METHOD("IDataObjectImpl::DUnadvise");
        T* self = static_cast<T*>(this);
        if (!self->m_spDataAdviseHolder) return OLE_E_NOCONNECTION;
        return self->m_spDataAdviseHolder->Unadvise(cookie);
    }
    STDMETHOD(EnumDAdvise)(IEnumSTATDATA** out) override {
        TPL_TRACE_METHOD("IDataObjectImpl::EnumDAdvise");
        if (!out) return E_POINTER;
        *out = nullptr;
        T* self = static_cast<T*>(this);
        if (!self->m_spDataAdviseHolder) return S_OK;
        return self->m_spDataAdviseHolder->EnumAdvise(out);
    }
};
