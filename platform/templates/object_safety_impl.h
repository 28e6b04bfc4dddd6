// The stock object safety: the IDispatch interface may be declared safe
// for the supported options; no other interface is.
#pragma once
#include <objsafe.h>

#include "templates/com_root.h"

template <class T, DWORD supported = INTERFACESAFE_FOR_UNTRUSTED_CALLER>
class IObjectSafetyImpl : public TplInterface<T, IObjectSafety> {
public:
    STDMETHOD(GetInterfaceSafetyOptions)(REFIID iid, DWORD* supportedOut,
                                         DWORD* enabledOut) override {
        TPL_TRACE_METHOD("IObjectSafetyImpl::GetInterfaceSafetyOptions");
        if (!supportedOut || !enabledOut || tpl::IsNull(iid)) return E_POINTER;
        if (!InlineIsEqualGUID(iid, IID_IDispatch)) {
            *supportedOut = 0;
            *enabledOut = 0;
            return E_NOINTERFACE;
        }
        *supportedOut = supported;
        *enabledOut = m_dwCurrentSafety & supported;
        return S_OK;
    }
    STDMETHOD(SetInterfaceSafetyOptions)(REFIID iid, DWORD mask, DWORD enabled) override {
        TPL_TRACE_METHOD("IObjectSafetyImpl::SetInterfaceSafetyOptions");
        if (tpl::IsNull(iid)) return E_POINTER;
        if (!InlineIsEqualGUID(iid, IID_IDispatch)) return E_NOINTERFACE;
        m_dwCurrentSafety = enabled & mask;
        return S_OK;
    }

protected:
    DWORD m_dwCurrentSafety = 0;
};
