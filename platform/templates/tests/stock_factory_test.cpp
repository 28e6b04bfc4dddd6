// The module and its class factory as a container meets them: the cached
// factory, the lock count, creation alone and inside an aggregate.
#include "stock_control.h"
#include "testing/fake_sinks.h"

namespace {

IClassFactory* Factory() {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(StockModule().GetClassObject(CLSID_StockControl, IID_IClassFactory,
                                           reinterpret_cast<void**>(&factory)),
              S_OK);
    return factory;
}

}  // namespace

TEST(StockFactory, IsCachedAndHoldsTheModuleOnlyForItsClients) {
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(StockModule().GetClassObject(IID_IUnknown, IID_IClassFactory, &out),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(StockModule().GetClassObject(CLSID_StockControl, IID_IClassFactory, nullptr), E_POINTER);

    IClassFactory* first = Factory();
    IClassFactory* second = Factory();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    // Handed-out references hold the module; the cache's own does not.
    EXPECT_EQ(StockModule().GetLockCount(), 1);
    second->Release();
    EXPECT_EQ(StockModule().GetLockCount(), 1);
    EXPECT_EQ(first->LockServer(TRUE), S_OK);
    first->Release();
    EXPECT_EQ(StockModule().GetLockCount(), 1);
    IClassFactory* again = Factory();
    EXPECT_EQ(again->LockServer(FALSE), S_OK);
    again->Release();
    EXPECT_EQ(StockModule().GetLockCount(), 0);
}

TEST(StockFactory, EachLiveControlHoldsTheModuleUntilItsLastRelease) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    IUnknown* control = CreateStockControl();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(suite::testing::RefCount(control), 1u);
    EXPECT_EQ(StockModule().GetLockCount(), 1);
    EXPECT_EQ(control->Release(), 0u);
    EXPECT_EQ(StockModule().GetLockCount(), 0);
    OleUninitialize();
}

// The inner unknown holds no reference on its outer; what it hands out
// counts on, and answers for, the outer object.
TEST(StockFactory, AnAggregatedControlDelegatesToItsOuterObject) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    IClassFactory* factory = Factory();
    suite::testing::CallLog log;
    suite::testing::FakeOuter outer(log);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IStockControl, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)),
              S_OK);
    factory->Release();
    EXPECT_CALLS(log, {});
    EXPECT_EQ(outer.refs, 0);

    IStockControl* stock = suite::testing::Query<IStockControl>(outer.inner, IID_IStockControl);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(outer.refs, 1);
    IUnknown* identity = suite::testing::Query<IUnknown>(stock, IID_IUnknown);
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
    identity->Release();
    stock->Release();
    EXPECT_EQ(outer.refs, 0);
    log.Clear();

    EXPECT_EQ(StockModule().GetLockCount(), 1);
    EXPECT_EQ(outer.ReleaseInner(), 0u);
    EXPECT_EQ(StockModule().GetLockCount(), 0);
    OleUninitialize();
}
