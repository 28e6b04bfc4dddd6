// Property pages and property browsing over the property map, and the
// stock Text and Picture properties.
#pragma once
#include <vector>

#include "templates/control.h"
#include "templates/type_info.h"

namespace tpl {
HRESULT PagesFromMap(const TplPropertyMapEntry* map, CAUUID* pages);
const TplPropertyMapEntry* FindProperty(const TplPropertyMapEntry* map, DISPID id);
// A copy of the picture through its own persisted form, so the control
// never shares a picture object with its caller.
HRESULT CopyPicture(IPictureDisp* source, IPictureDisp** copy);
}  // namespace tpl

template <class T>
class ISpecifyPropertyPagesImpl : public TplInterface<T, ISpecifyPropertyPages> {
public:
    STDMETHOD(GetPages)(CAUUID* pages) override {
        TPL_TRACE_METHOD("ISpecifyPropertyPagesImpl::GetPages");
        return tpl::PagesFromMap(T::GetPropertyMap(), pages);
    }
};

template <class T>
class IPerPropertyBrowsingImpl : public TplInterface<T, IPerPropertyBrowsing> {
public:
    STDMETHOD(GetDisplayString)(DISPID id, BSTR* text) override {
        TPL_TRACE_METHOD("IPerPropertyBrowsingImpl::GetDisplayString");
        if (!text) return E_POINTER;
        *text = nullptr;
        const TplPropertyMapEntry* entry = tpl::FindProperty(T::GetPropertyMap(), id);
        if (!entry) return E_INVALIDARG;
        VARIANT value;
        HRESULT hr = tpl::GetProperty(static_cast<T*>(this)->GetUnknown(), *entry, value);
        if (SUCCEEDED(hr)) hr = VariantChangeType(&value, &value, 0, VT_BSTR);
        if (SUCCEEDED(hr)) {
            *text = V_BSTR(&value);
            return S_OK;
        }
        VariantClear(&value);
        return hr;
    }
    STDMETHOD(MapPropertyToPage)(DISPID id, CLSID* page) override {
        TPL_TRACE_METHOD("IPerPropertyBrowsingImpl::MapPropertyToPage");
        if (!page) return E_POINTER;
        *page = CLSID_NULL;
        const TplPropertyMapEntry* entry = tpl::FindProperty(T::GetPropertyMap(), id);
        if (!entry) return E_INVALIDARG;
        *page = *entry->page;
        return S_OK;
    }
    STDMETHOD(GetPredefinedStrings)(DISPID, CALPOLESTR* strings, CADWORD* cookies) override {
        TPL_TRACE_METHOD("IPerPropertyBrowsingImpl::GetPredefinedStrings");
        if (strings) *strings = {0, nullptr};
        if (cookies) *cookies = {0, nullptr};
        return E_NOTIMPL;
    }
    STDMETHOD(GetPredefinedValue)(DISPID, DWORD, VARIANT*) override {
        TPL_TRACE_METHOD("IPerPropertyBrowsingImpl::GetPredefinedValue");
        return E_NOTIMPL;
    }
};

// The stock properties of a dual interface. The class keeps the values
// (m_bstrText, m_pPicture); a write asks the property-change sinks first,
// then marks the control dirty, tells the sinks and repaints.
template <class T, class Interface, const IID* piid, const GUID* plibid>
class CStockPropImpl : public IDispatchImpl<TplInterface<T, Interface>, piid, plibid> {
public:
    STDMETHOD(get_Text)(BSTR* value) override {
        TPL_TRACE_METHOD("CStockPropImpl::get_Text");
        if (!value) return E_POINTER;
        BSTR text = Self()->m_bstrText;
        // A null text stays null, so it persists as a null string, not an empty one.
        *value = text ? SysAllocStringLen(text, SysStringLen(text)) : nullptr;
        return *value || !text ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHOD(put_Text)(BSTR value) override {
        TPL_TRACE_METHOD("CStockPropImpl::put_Text");
        T* self = Self();
        if (self->FireOnRequestEdit(DISPID_TEXT) == S_FALSE) return S_FALSE;
        BSTR copy = value ? SysAllocStringLen(value, SysStringLen(value)) : nullptr;
        if (value && !copy) return E_OUTOFMEMORY;
        SysFreeString(self->m_bstrText);
        self->m_bstrText = copy;
        self->SetDirty(TRUE);
        self->FireOnChanged(DISPID_TEXT);
        self->FireViewChange();
        return S_OK;
    }
    STDMETHOD(get_Picture)(IPictureDisp** value) override {
        TPL_TRACE_METHOD("CStockPropImpl::get_Picture");
        if (!value) return E_POINTER;
        *value = Self()->m_pPicture;
        if (*value) (*value)->AddRef();
        return S_OK;
    }
    STDMETHOD(put_Picture)(IPictureDisp* value) override {
        TPL_TRACE_METHOD("CStockPropImpl::put_Picture");
        T* self = Self();
        if (self->FireOnRequestEdit(DISPID_PICTURE) == S_FALSE) return S_FALSE;
        IPictureDisp* copy = nullptr;
        if (value) tpl::CopyPicture(value, &copy);
        self->ReplacePicture(copy);
        self->SetDirty(TRUE);
        self->FireOnChanged(DISPID_PICTURE);
        self->FireViewChange();
        return S_OK;
    }

    // Takes over the counted picture; a class that keeps more beside the
    // picture hides this.
    void ReplacePicture(IPictureDisp* picture) {
        tpl::ReleaseInterface(Self()->m_pPicture);
        Self()->m_pPicture = picture;
    }

private:
    T* Self() { return static_cast<T*>(this); }
};
