// Type information from the module's embedded type library, and the
// dispatch and class-information interfaces answered from it.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include "templates/tpl_trace.h"

// Loads one type's information on first demand and keeps it until the
// module ends. The library is read from the module file itself, so the
// server works before (and without) registration; the registered library
// is the fallback.
class CComTypeInfoHolder {
public:
    CComTypeInfoHolder(const GUID* guid, const GUID* libid, WORD major, WORD minor)
        : m_pguid(guid), m_plibid(libid), m_wMajor(major), m_wMinor(minor) {}

    HRESULT GetTI(LCID lcid, ITypeInfo** out);
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out);
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids);
    HRESULT Invoke(IDispatch* object, DISPID id, REFIID iid, LCID lcid, WORD flags,
                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr);

private:
    const GUID* m_pguid;
    const GUID* m_plibid;
    WORD m_wMajor;
    WORD m_wMinor;
    ITypeInfo* m_pInfo = nullptr;
};

namespace tpl {
HRESULT LoadModuleTypeLib(const GUID& libid, WORD major, WORD minor, LCID lcid, ITypeLib** out);
}  // namespace tpl

// A dual interface whose IDispatch half is answered from type information.
template <class Interface, const IID* piid, const GUID* plibid, WORD wMajor = 1,
          WORD wMinor = 0, class TypeInfoHolder = CComTypeInfoHolder>
class IDispatchImpl : public Interface {
public:
    STDMETHOD(GetTypeInfoCount)(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT index, LCID lcid, ITypeInfo** out) override {
        return TypeInfo().GetTypeInfo(index, lcid, out);
    }
    STDMETHOD(GetIDsOfNames)(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                             DISPID* ids) override {
        return TypeInfo().GetIDsOfNames(iid, names, count, lcid, ids);
    }
    STDMETHOD(Invoke)(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override {
        return TypeInfo().Invoke(this, id, iid, lcid, flags, params, result, excepInfo, argErr);
    }

protected:
    static TypeInfoHolder& TypeInfo() {
        static TypeInfoHolder holder(piid, plibid, wMajor, wMinor);
        return holder;
    }
};

// Class information: the coclass's type information and, when the class
// has one, its default outgoing dispatch interface.
template <const CLSID* pcoclsid, const IID* psrcid, const GUID* plibid, WORD wMajor = 1,
          WORD wMinor = 0, class TypeInfoHolder = CComTypeInfoHolder>
class IProvideClassInfo2Impl : public IProvideClassInfo2 {
public:
    STDMETHOD(GetClassInfo)(ITypeInfo** out) override {
        TPL_TRACE_METHOD("IProvideClassInfo2Impl::GetClassInfo");
        return ClassInfo().GetTypeInfo(0, LOCALE_USER_DEFAULT, out);
    }
    STDMETHOD(GetGUID)(DWORD kind, GUID* out) override {
        TPL_TRACE_METHOD("IProvideClassInfo2Impl::GetGUID");
        if (!out) return E_POINTER;
        if (kind == GUIDKIND_DEFAULT_SOURCE_DISP_IID && psrcid) {
            *out = *psrcid;
            return S_OK;
        }
        *out = GUID_NULL;
        return E_FAIL;
    }

private:
    static TypeInfoHolder& ClassInfo() {
        static TypeInfoHolder holder(pcoclsid, plibid, wMajor, wMinor);
        return holder;
    }
};
