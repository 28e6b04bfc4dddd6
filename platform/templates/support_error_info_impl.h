// The stock ISupportErrorInfo: every interface of the class's interface
// map may leave error information on failure, and no other.
#pragma once
#include <oaidl.h>

#include "templates/com_root.h"

namespace tpl {
// S_OK when the interface is one of the map's, S_FALSE otherwise.
HRESULT MapSupportsErrorInfo(const TplInterfaceEntry* entries, REFIID iid);
}  // namespace tpl

template <class T>
class ISupportErrorInfoImpl : public TplInterface<T, ISupportErrorInfo> {
public:
    STDMETHOD(InterfaceSupportsErrorInfo)(REFIID iid) override {
        TPL_TRACE_METHOD("ISupportErrorInfoImpl::InterfaceSupportsErrorInfo");
        return tpl::MapSupportsErrorInfo(T::_GetEntries(), iid);
    }
};
