// The server's entry points, class factory and module counters, as a
// container loading the library sees them.
#include <algorithm>

#include "registration.h"
#include "snapview_library.h"

using namespace snapview_test;

namespace {

class FactoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Server().getClassObject);
        ASSERT_TRUE(clipboard.PutDib(suite::testing::MakeSolidDib(8, 4, RGB(0, 0, 255))));
    }
    ClipboardScope clipboard;
};

}  // namespace

TEST_F(FactoryTest, DllGetClassObjectHandsOutANewFactoryPerCall) {
    DebugOutputCapture trace;
    IClassFactory* first = nullptr;
    IClassFactory* second = nullptr;
    ASSERT_EQ(Server().getClassObject(CLSID_Snapview, IID_IClassFactory,
                                        reinterpret_cast<void**>(&first)), S_OK);
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"DLLENTRY: DllGetClassObject", "DLLENTRY: TImpIClassFactory::QueryInterface",
                     "DLLENTRY: TImpIClassFactory::AddRef"}));
    ASSERT_EQ(Server().getClassObject(CLSID_Snapview, IID_IUnknown,
                                        reinterpret_cast<void**>(&second)), S_OK);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->AddRef(), 2u);
    EXPECT_EQ(first->Release(), 1u);
    EXPECT_EQ(first->Release(), 0u);
    EXPECT_EQ(second->Release(), 0u);
    // A factory alone does not keep the library loaded.
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(FactoryTest, DllGetClassObjectRefusesOtherClassesAndInterfaces) {
    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(Server().getClassObject(IID_IOleObject, IID_IClassFactory, &out), E_FAIL);
    EXPECT_EQ(out, reinterpret_cast<void*>(0x1234));  // left as passed
    EXPECT_EQ(Server().getClassObject(CLSID_Snapview, IID_IOleObject, &out), E_NOINTERFACE);
    EXPECT_EQ(out, reinterpret_cast<void*>(0x1234));
}

TEST_F(FactoryTest, CreateInstanceCountsControlsUntilTheirLastRelease) {
    ASSERT_EQ(Server().canUnloadNow(), S_OK);
    IClassFactory* factory = Factory();
    ASSERT_TRUE(factory);
    DebugOutputCapture trace;
    IOleObject* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IOleObject, reinterpret_cast<void**>(&object)),
              S_OK);
    ASSERT_TRUE(object);
    // The whole creation as the trace shows it: the grab's query of the
    // aggregated cache passes through the control's count, held at one.
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"DLLENTRY: TImpIClassFactory::CreateInstance riid=112",
                     "SNAPVIEW: TSnapview::Init", "SNAPVIEW: TSnapview::GrabFromClipboard",
                     "SNAPVIEW: TSnapview::AddRef 2", "SNAPVIEW: TSnapview::Release 1",
                     "SNAPVIEW: QueryInterface riid=112", "IOLEOBJ: TImpIOleObject::AddRef",
                     "SNAPVIEW: TSnapview::AddRef 1"}));
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);

    trace.Clear();
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"IOLEOBJ: TImpIOleObject::Release", "SNAPVIEW: TSnapview::Release 0",
                     "DLLENTRY: ObjectDestroyed"}));
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(FactoryTest, CreateInstanceFailsWithoutClipboardDataAndLeavesNothing) {
    ASSERT_TRUE(ClipboardScope::Empty());
    void* out = reinterpret_cast<void*>(0x1234);
    DebugOutputCapture trace;
    EXPECT_EQ(CreateControl(nullptr, IID_IOleObject, &out), E_FAIL);
    EXPECT_EQ(out, nullptr);
    Lines messages = Messages(trace.Take());
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "DLLENTRY: ObjectDestroyed"), 0);
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(FactoryTest, CreateInstanceForAnUnservedInterfaceLeavesNothing) {
    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(CreateControl(nullptr, DIID_DISnapview, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(FactoryTest, LockServerKeepsTheLibraryLoadedUntilBalanced) {
    IClassFactory* factory = Factory();
    ASSERT_TRUE(factory);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);  // unbalanced: -1
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
    factory->Release();
}

TEST_F(FactoryTest, AggregatedControlForwardsToItsOuterObject) {
    CallLog log;
    suite::testing::FakeOuter outer(log);
    void* refused = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(CreateControl(&outer, IID_IOleObject, &refused), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(Server().canUnloadNow(), S_OK);

    log.Clear();
    ASSERT_EQ(CreateControl(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)), S_OK);
    // The inner unknown holds no reference on its outer, and creating it took
    // none and gave none back: an outer that does not guard its count while
    // it creates the control survives.
    EXPECT_CALLS(log, {});
    EXPECT_EQ(outer.refs, 0);

    // Interfaces from the inner unknown count on, and answer for, the outer.
    IOleObject* object = nullptr;
    ASSERT_EQ(outer.QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
    EXPECT_EQ(outer.refs, 1);
    IUnknown* identity = nullptr;
    ASSERT_EQ(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, &outer);
    identity->Release();
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    EXPECT_EQ(outer.refs, 2);
    ASSERT_EQ(dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, &outer);
    identity->Release();
    dispatch->Release();
    // The data cache's interfaces belong to the aggregate as well.
    for (const IID* iid : {&IID_IViewObject2, &IID_IDataObject, &IID_IPersistStorage}) {
        IUnknown* part = nullptr;
        ASSERT_EQ(outer.QueryInterface(*iid, reinterpret_cast<void**>(&part)), S_OK);
        EXPECT_EQ(outer.refs, 2);
        ASSERT_EQ(part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
        EXPECT_EQ(identity, &outer);
        identity->Release();
        part->Release();
        EXPECT_EQ(outer.refs, 1);
    }
    // ISnapview's unknown slots are the inner one's: not for an aggregate.
    void* snapview = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(outer.QueryInterface(IID_ISnapview, &snapview), E_NOINTERFACE);
    EXPECT_EQ(snapview, nullptr);
    object->Release();
    EXPECT_EQ(outer.refs, 0);

    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
    outer.ReleaseInner();
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(FactoryTest, TraceLinesHaveTheirExactShapeOnePerCall) {
    IClassFactory* factory = Factory();
    ASSERT_TRUE(factory);
    DebugOutputCapture trace;
    IUnknown* control = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&control)),
              S_OK);
    factory->Release();
    Lines lines = trace.Take();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines[0].starts_with("Trace DLLENTRY ")) << lines[0];
    EXPECT_TRUE(lines[0].ends_with(": [Def] TImpIClassFactory::CreateInstance riid=0\r\n"))
        << lines[0];
    for (const std::string& line : lines) {
        // Never two lines in one call.
        EXPECT_EQ(line.find("\r\n"), line.size() - 2) << line;
    }
    IPersistStreamInit* persist = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)),
              S_OK);
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"SNAPVIEW: QueryInterface riid=7fd52380",
                     "IPERSTMI: TImpIPersistStreamInit::AddRef", "SNAPVIEW: TSnapview::AddRef 2"}));
    persist->Release();
    EXPECT_EQ(Messages(trace.Take()), (Lines{"IPERSTMI: TImpIPersistStreamInit::Release",
                                             "SNAPVIEW: TSnapview::Release 1"}));
    control->Release();
}

TEST_F(FactoryTest, CreateInstanceReportsAnUnregisteredTypeLibraryAndLeavesNothing) {
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(GetModuleFileNameW(Server().module, path, MAX_PATH));
    ASSERT_EQ(snapview_registration::Unregister(), S_OK);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{9B0E22C4-97EC-11D1-AAD7-00C04FAD1EAD}", 0,
                            KEY_READ, &key), ERROR_FILE_NOT_FOUND);

    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(CreateControl(nullptr, IID_IOleObject, &out), TYPE_E_LIBNOTREGISTERED);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Server().canUnloadNow(), S_OK);

    ASSERT_EQ(snapview_registration::Register(path), S_OK);
    ASSERT_EQ(CreateControl(nullptr, IID_IOleObject, &out), S_OK);
    static_cast<IUnknown*>(out)->Release();
}
