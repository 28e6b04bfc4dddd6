#include "testing/fake_object.h"

#include <objsafe.h>
#include <ocidl.h>
#include <olectl.h>

namespace suite::testing {

std::string InterfaceName(REFIID iid) {
    struct Known {
        const IID* iid;
        const char* name;
    };
#define SUITE_KNOWN(I) {&IID_##I, #I}
    static const Known known[] = {
        SUITE_KNOWN(IUnknown), SUITE_KNOWN(IDispatch), SUITE_KNOWN(IClassFactory),
        SUITE_KNOWN(IOleClientSite), SUITE_KNOWN(IOleWindow), SUITE_KNOWN(IOleInPlaceSite),
        SUITE_KNOWN(IOleInPlaceSiteEx), SUITE_KNOWN(IOleInPlaceSiteWindowless),
        SUITE_KNOWN(IOleControlSite), SUITE_KNOWN(IOleInPlaceFrame),
        SUITE_KNOWN(IOleInPlaceUIWindow), SUITE_KNOWN(IAdviseSink), SUITE_KNOWN(IAdviseSinkEx),
        SUITE_KNOWN(IPropertyNotifySink), SUITE_KNOWN(IOleObject), SUITE_KNOWN(IOleControl),
        SUITE_KNOWN(IOleInPlaceObject), SUITE_KNOWN(IOleInPlaceObjectWindowless),
        SUITE_KNOWN(IOleInPlaceActiveObject), SUITE_KNOWN(IViewObject), SUITE_KNOWN(IViewObject2),
        SUITE_KNOWN(IViewObjectEx), SUITE_KNOWN(IDataObject), SUITE_KNOWN(IPersist),
        SUITE_KNOWN(IPersistStream), SUITE_KNOWN(IPersistStreamInit), SUITE_KNOWN(IPersistStorage),
        SUITE_KNOWN(IPersistPropertyBag), SUITE_KNOWN(IQuickActivate),
        SUITE_KNOWN(ISpecifyPropertyPages), SUITE_KNOWN(IPerPropertyBrowsing),
        SUITE_KNOWN(IProvideClassInfo), SUITE_KNOWN(IProvideClassInfo2),
        SUITE_KNOWN(ISupportErrorInfo), SUITE_KNOWN(IConnectionPointContainer),
        SUITE_KNOWN(IConnectionPoint), SUITE_KNOWN(IObjectSafety), SUITE_KNOWN(IOleCache),
        SUITE_KNOWN(IOleCache2), SUITE_KNOWN(IOleCacheControl), SUITE_KNOWN(IMarshal),
        SUITE_KNOWN(IServiceProvider), SUITE_KNOWN(IFontDisp), SUITE_KNOWN(IPictureDisp),
        SUITE_KNOWN(IEnumConnectionPoints), SUITE_KNOWN(IEnumConnections),
    };
#undef SUITE_KNOWN
    for (const Known& k : known)
        if (InlineIsEqualGUID(iid, *k.iid)) return k.name;
    wchar_t text[40] = {};
    StringFromGUID2(iid, text, 40);
    return std::string(text, text + wcslen(text));
}

}  // namespace suite::testing
