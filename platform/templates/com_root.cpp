#include "templates/com_root.h"

namespace tpl {

HRESULT InternalQueryInterface(void* object, const TplInterfaceEntry* entries, REFIID iid,
                               void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    TPL_ASSERT(entries && entries->iid);
    const TplInterfaceEntry* found = nullptr;
    if (InlineIsEqualGUID(iid, IID_IUnknown)) {
        found = entries;
    } else {
        for (const TplInterfaceEntry* e = entries; e->iid && !found; ++e)
            if (InlineIsEqualGUID(iid, *e->iid)) found = e;
    }
    if (!found) return E_NOINTERFACE;
    auto* unknown = reinterpret_cast<IUnknown*>(static_cast<char*>(object) + found->offset);
    unknown->AddRef();
    *out = unknown;
    return S_OK;
}

}  // namespace tpl
