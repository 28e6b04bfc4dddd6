#include "templates/com_root.h"

namespace tpl {

HRESULT InternalQueryInterface(void* object, const TplInterfaceEntry* entries, REFIID iid,
                               void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsNull(iid)) return E_POINTER;
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

const char* InterfaceNameAt(const TplInterfaceEntry* entries, DWORD_PTR offset,
                            const char* fallback) {
    for (const TplInterfaceEntry* e = entries; e->iid; ++e)
        if (e->offset == offset) return e->name;
    return fallback;
}

}  // namespace tpl
