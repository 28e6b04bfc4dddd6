// CComControl<T>: joins the shared control state to the class T (its
// interface map, property map, window and property-change connection point).
#pragma once
#include <type_traits>

#include "templates/connection_points.h"
#include "templates/control_base.h"
#include "templates/window.h"

template <class T, class WinBase = CWindowImpl<T>>
class CComControl : public CComControlBase, public WinBase {
public:
    CComControl() : CComControlBase(WinBase::m_hWnd) {}
    ~CComControl() override { WinBase::DetachAndDestroy(); }

    HRESULT ControlQueryInterface(REFIID iid, void** out) override {
        return static_cast<T*>(this)->GetUnknown()->QueryInterface(iid, out);
    }
    HWND CreateControlWindow(HWND parent, const RECT& position) override {
        return static_cast<T*>(this)->Create(parent, position);
    }
    const TplPropertyMapEntry* ControlPropertyMap() override { return T::GetPropertyMap(); }
    const CLSID& ControlClsid() override { return T::GetObjectCLSID(); }

    // Asks every property-change sink; one refusal (S_FALSE) refuses.
    HRESULT FireOnRequestEdit(DISPID id) override {
        return NotifySinks([id](IPropertyNotifySink* s) { return s->OnRequestEdit(id); }, true);
    }
    HRESULT FireOnChanged(DISPID id) override {
        return NotifySinks([id](IPropertyNotifySink* s) { return s->OnChanged(id); }, false);
    }

private:
    template <class Call>
    HRESULT NotifySinks(Call call, bool stopAtRefusal) {
        using Holder = TplConnectionPointHolder<&IID_IPropertyNotifySink>;
        if constexpr (!std::is_base_of_v<Holder, T>) {
            return S_OK;
        } else {
            HRESULT result = S_OK;
            for (IUnknown* sink : static_cast<Holder*>(static_cast<T*>(this))->ConnectionPoint().Sinks()) {
                if (result == S_OK) {
                    HRESULT hr = call(static_cast<IPropertyNotifySink*>(sink));
                    if (stopAtRefusal && hr == S_FALSE) result = S_FALSE;
                }
                sink->Release();
            }
            return result;
        }
    }
};
