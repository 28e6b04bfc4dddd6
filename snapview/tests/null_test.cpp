// Every interface the control offers (its own, and the data cache's that it
// hands out), its connection point, its class factory and its exports,
// called with null for each pointer argument in turn.
#include "control_fixture.h"
#include "testing/null_sweep.h"

using namespace snapview_test;

namespace {

// The cached presentations and the title, beside what the standard
// interfaces show.
std::string SnapviewState(IUnknown* control) {
    std::string state = suite::testing::ControlState(control);
    if (auto* cache = Query<IOleCache>(control, IID_IOleCache)) {
        IEnumSTATDATA* entries = nullptr;
        if (SUCCEEDED(cache->EnumCache(&entries)) && entries) {
            STATDATA entry;
            while (entries->Next(1, &entry, nullptr) == S_OK) {
                state += " cached " + std::to_string(entry.formatetc.cfFormat);
                if (entry.pAdvSink) entry.pAdvSink->Release();
            }
            entries->Release();
        }
        cache->Release();
    }
    if (auto* snapview = Query<ISnapview>(control, IID_ISnapview)) {
        BSTR title = snapview->get_Title();
        state += title ? " titled" : " untitled";
        SysFreeString(title);
        snapview->Release();
    }
    return state;
}

}  // namespace

TEST_F(ControlFixture, NullArgumentsAreRefusedAndChangeNothing) {
    suite::testing::NullSweep sweep;
    sweep.answers = {
        // The codes the control's contract gives.
        {"IOleObject::SetClientSite(site)", E_UNEXPECTED},
        {"IOleObject::GetClientSite(site)", E_POINTER},
        {"IOleObject::EnumVerbs(verbs)", E_POINTER},
        {"IOleObject::GetUserClassID(clsid)", E_POINTER},
        {"IOleObject::GetUserType(name)", E_POINTER},
        {"IOleObject::GetExtent(size)", E_POINTER},
        {"IOleObject::Advise(sink)", E_INVALIDARG},
        {"IOleObject::Advise(connection)", E_POINTER},
        {"IOleObject::EnumAdvise(advises)", E_POINTER},
        {"IOleObject::GetMiscStatus(status)", E_POINTER},
        {"IOleInPlaceObject::GetWindow(window)", E_INVALIDARG},
        {"IOleInPlaceObject::SetObjectRects(position)", E_POINTER},
        {"IOleInPlaceObject::SetObjectRects(clip)", E_POINTER},
        {"IPersistStreamInit::GetSizeMax(size)", E_POINTER},
        {"IConnectionPoint::GetConnectionInterface(iid)", E_POINTER},
        {"IConnectionPoint::Advise(sink)", E_POINTER},
        {"IConnectionPoint::Advise(cookie)", E_POINTER},
        {"IOleObject::SetExtent(size)", S_OK},  // the extent is the cache's; a new one is ignored
        // The platform's data cache, handed out as it is, answers these
        // itself (a null drawing context draws nothing).
        {"IViewObject::Draw(dc)", S_OK},
        {"IDataObject::SetData(medium)", OLE_E_BLANK},
        {"IDataObject::DAdvise(format)", OLE_E_ADVISENOTSUPPORTED},
        {"IDataObject::DAdvise(sink)", OLE_E_ADVISENOTSUPPORTED},
        {"IDataObject::DAdvise(connection)", OLE_E_ADVISENOTSUPPORTED},
        {"IDataObject::EnumDAdvise(enumerator)", OLE_E_ADVISENOTSUPPORTED},
        {"IOleCache::InitCache(data)", S_OK},
        {"IOleCache::SetData(medium)", OLE_E_BLANK},
        {"IOleCache2::UpdateCache(data)", S_OK},
        {"IOleCacheControl::OnRun(data)", S_OK},
    };
    // These crash inside the platform's data cache (docs/platform.md); the
    // control hands its interfaces out unwrapped, so there is no front to
    // guard them in without changing whose interfaces they are.
    sweep.skipped = {
        "IDataObject::GetData(format)",
        "IDataObject::GetData(medium)",
        "IDataObject::QueryGetData(format)",
        "IDataObject::SetData(format)",
        "IOleCache::EnumCache(enumerator)",
        "IOleCache::SetData(format)",
        "IPersistStorage::GetClassID(clsid)",
        "IPersistStorage::InitNew(storage)",
        "IPersistStorage::Load(storage)",
        "IPersistStorage::Save(storage)",
    };
    sweep.fingerprint = [&] { return SnapviewState(control); };
    EXPECT_EQ(sweep.Run(control), 93);

    IConnectionPointContainer* container = Get<IConnectionPointContainer>(IID_IConnectionPointContainer);
    IConnectionPoint* point = nullptr;
    ASSERT_EQ(container->FindConnectionPoint(DIID_DISnapviewAdviseSink, &point), S_OK);
    EXPECT_EQ(sweep.Run(point), 7);
    point->Release();
    container->Release();

    IClassFactory* factory = Factory();
    EXPECT_EQ(sweep.Run(factory), 4);
    factory->Release();
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(Server().getClassObject(suite::testing::NullIid(), IID_IClassFactory, &out), E_POINTER);
    EXPECT_EQ(Server().getClassObject(CLSID_Snapview, suite::testing::NullIid(), &out), E_POINTER);
    EXPECT_EQ(Server().getClassObject(CLSID_Snapview, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(out, reinterpret_cast<void*>(1));
}
