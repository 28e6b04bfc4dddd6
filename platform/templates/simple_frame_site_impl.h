// The stock simple-frame site, for controls that contain other controls:
// it lets every message through unfiltered.
#pragma once
#include <ocidl.h>

#include "templates/com_root.h"

template <class T>
class ISimpleFrameSiteImpl : public TplInterface<T, ISimpleFrameSite> {
public:
    STDMETHOD(PreMessageFilter)(HWND, UINT, WPARAM, LPARAM, LRESULT* result,
                                DWORD* cookie) override {
        TPL_TRACE_METHOD("ISimpleFrameSiteImpl::PreMessageFilter");
        if (result) *result = 0;
        if (cookie) *cookie = 0;
        return S_OK;
    }
    STDMETHOD(PostMessageFilter)(HWND, UINT, WPARAM, LPARAM, LRESULT* result, DWORD) override {
        TPL_TRACE_METHOD("ISimpleFrameSiteImpl::PostMessageFilter");
        if (result) *result = 0;
        return S_OK;
    }
};
