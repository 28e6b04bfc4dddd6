#include "templates/class_factory.h"

STDMETHODIMP CComClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    TPL_TRACE_METHOD("CComClassFactory::CreateInstance");
    if (!out) return E_POINTER;
    *out = nullptr;
    if (tpl::IsNull(iid)) return E_POINTER;
    // An aggregate's inner object is reachable only through its own IUnknown.
    if (outer && !InlineIsEqualGUID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    TPL_ASSERT(m_creator != nullptr);
    if (!m_creator) return E_UNEXPECTED;
    return m_creator(outer, iid, out);
}

STDMETHODIMP CComClassFactory::LockServer(BOOL lock) {
    TPL_TRACE_METHOD("CComClassFactory::LockServer");
    if (lock)
        tpl::CurrentModule().Lock();
    else
        tpl::CurrentModule().Unlock();
    return S_OK;
}
