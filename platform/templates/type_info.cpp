#include "templates/type_info.h"

#include <new>
#include <string>

#include "templates/com_module.h"
#include "templates/null_reference.h"

namespace tpl {

HRESULT LoadModuleTypeLib(const GUID& libid, WORD major, WORD minor, LCID lcid, ITypeLib** out) {
    HRESULT hr = E_OUTOFMEMORY;
    try {  // no exception may leave the dispatch methods that come here
        std::wstring path = ModulePath(CurrentModule().GetTypeLibInstance());
        hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, out);
    } catch (const std::bad_alloc&) {
    }
    if (FAILED(hr)) hr = LoadRegTypeLib(libid, major, minor, lcid, out);
    return hr;
}

}  // namespace tpl

HRESULT CComTypeInfoHolder::GetTI(LCID lcid, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!m_pInfo) {
        ITypeLib* library = nullptr;
        HRESULT hr = tpl::LoadModuleTypeLib(*m_plibid, m_wMajor, m_wMinor, lcid, &library);
        if (FAILED(hr)) return hr;
        hr = library->GetTypeInfoOfGuid(*m_pguid, &m_pInfo);
        library->Release();
        if (FAILED(hr)) return hr;
        tpl::CurrentModule().AddTermRelease(m_pInfo);  // this holder's reference
    }
    m_pInfo->AddRef();
    *out = m_pInfo;
    return S_OK;
}

HRESULT CComTypeInfoHolder::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return GetTI(lcid, out);
}

// The platform's type information reads these without looking first.
HRESULT CComTypeInfoHolder::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) {
    if (tpl::IsNull(iid) || !names || !ids) return E_POINTER;
    for (UINT i = 0; i < count; ++i)
        if (!names[i]) return E_POINTER;
    ITypeInfo* info = nullptr;
    HRESULT hr = GetTI(lcid, &info);
    if (FAILED(hr)) return hr;
    hr = info->GetIDsOfNames(names, count, ids);
    info->Release();
    return hr;
}

HRESULT CComTypeInfoHolder::Invoke(IDispatch* object, DISPID id, REFIID iid, LCID lcid,
                                   WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* excepInfo, UINT* argErr) {
    if (tpl::IsNull(iid) || !params) return E_POINTER;
    if ((params->cArgs && !params->rgvarg) || (params->cNamedArgs && !params->rgdispidNamedArgs) ||
        params->cNamedArgs > params->cArgs)
        return E_INVALIDARG;
    if (!InlineIsEqualGUID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    HRESULT hr = GetTI(lcid, &info);
    if (FAILED(hr)) return hr;
    hr = info->Invoke(object, id, flags, params, result, excepInfo, argErr);
    info->Release();
    return hr;
}
