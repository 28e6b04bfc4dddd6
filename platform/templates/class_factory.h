// The stock class factory: makes instances through the creator the object
// map hands it, and raises or lowers the module's lock count.
#pragma once
#include "templates/com_root.h"

class CComClassFactory : public TplInterface<CComClassFactory, IClassFactory>,
                         public CComObjectRootEx<CComMultiThreadModel> {
public:
    BEGIN_COM_MAP(CComClassFactory)
        COM_INTERFACE_ENTRY(IClassFactory)
    END_COM_MAP()

    // The object map passes the instance creator as the "outer" pointer.
    void SetVoid(void* creator) { m_creator = reinterpret_cast<TplCreatorFunc>(creator); }

    STDMETHOD(CreateInstance)(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHOD(LockServer)(BOOL lock) override;

private:
    TplCreatorFunc m_creator = nullptr;
};

// Class identity for a creatable class: its factory, its creators (plain
// and aggregatable), its registration script and its CLSID.
template <class T, const CLSID* pclsid>
class CComCoClass {
public:
    using _ClassFactoryCreatorClass = CComCreator<CComObjectCached<CComClassFactory>>;
    using _CreatorClass = CComCreator2<CComCreator<CComObject<T>>, CComCreator<CComAggObject<T>>>;

    static const CLSID& WINAPI GetObjectCLSID() { return *pclsid; }
    static const wchar_t* WINAPI GetObjectDescription() { return nullptr; }
};

// The class's registration runs the module's "REGISTRY" script resource.
#define DECLARE_REGISTRY_RESOURCEID(id)                                              \
    static HRESULT WINAPI UpdateRegistry(BOOL doRegister) {                          \
        return ::tpl::CurrentModule().UpdateRegistryFromResource(id, doRegister);    \
    }
