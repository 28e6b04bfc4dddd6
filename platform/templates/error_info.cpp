#include "templates/error_info.h"

#include <oleauto.h>

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
