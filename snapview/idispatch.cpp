#include "idispatch.h"

#include "null_reference.h"
#include "snapview.h"

namespace snapview {

TImpIDispatch::TImpIDispatch(TSnapview* owner, IUnknown* controllingUnknown)
    : Owner(owner), ControllingUnknown(controllingUnknown) {}

STDMETHODIMP TImpIDispatch::QueryInterface(REFIID riid, void** ppv) {
    return ControllingUnknown->QueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) TImpIDispatch::AddRef() { return ControllingUnknown->AddRef(); }

STDMETHODIMP_(ULONG) TImpIDispatch::Release() { return ControllingUnknown->Release(); }

HRESULT TImpIDispatch::Target(IDispatch** target) {
    *target = nullptr;
    if (!Owner->StdDispatch) return E_UNEXPECTED;
    return Owner->StdDispatch->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(target));
}

STDMETHODIMP TImpIDispatch::GetTypeInfoCount(UINT* count) {
    // The standard dispatch object writes through these unchecked.
    if (!count) return E_POINTER;
    IDispatch* target;
    HRESULT hr = Target(&target);
    if (FAILED(hr)) return hr;
    hr = target->GetTypeInfoCount(count);
    target->Release();
    return hr;
}

STDMETHODIMP TImpIDispatch::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    IDispatch* target;
    HRESULT hr = Target(&target);
    if (FAILED(hr)) return hr;
    hr = target->GetTypeInfo(index, lcid, info);
    target->Release();
    return hr;
}

// The standard dispatch object reads these without looking first.
STDMETHODIMP TImpIDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) {
    if (IsNull(riid) || !names || !ids) return E_POINTER;
    for (UINT i = 0; i < count; ++i)
        if (!names[i]) return E_POINTER;
    IDispatch* target;
    HRESULT hr = Target(&target);
    if (FAILED(hr)) return hr;
    hr = target->GetIDsOfNames(riid, names, count, lcid, ids);
    target->Release();
    return hr;
}

STDMETHODIMP TImpIDispatch::Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argError) {
    if (IsNull(riid) || !params) return E_POINTER;
    if ((params->cArgs && !params->rgvarg) || (params->cNamedArgs && !params->rgdispidNamedArgs) ||
        params->cNamedArgs > params->cArgs)
        return E_INVALIDARG;
    IDispatch* target;
    HRESULT hr = Target(&target);
    if (FAILED(hr)) return hr;
    hr = target->Invoke(member, riid, lcid, flags, params, result, exception, argError);
    target->Release();
    return hr;
}

}  // namespace snapview
