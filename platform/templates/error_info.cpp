#include "templates/error_info.h"

#include <oleauto.h>

#include "templates/null_reference.h"
#include "templates/support_error_info_impl.h"

namespace tpl {

HRESULT ReportError(const wchar_t* description, REFIID iid, const wchar_t* source,
                    HRESULT result) {
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) return result;
    create->SetDescription(const_cast<LPOLESTR>(description));
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(source));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return result;
}

}  // namespace tpl

namespace tpl {

HRESULT MapSupportsErrorInfo(const TplInterfaceEntry* entries, REFIID iid) {
    if (IsNull(iid)) return E_POINTER;
    for (const TplInterfaceEntry* e = entries; e->iid; ++e)
        if (InlineIsEqualGUID(*e->iid, iid)) return S_OK;
    return S_FALSE;
}

}  // namespace tpl
