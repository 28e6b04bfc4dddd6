// Every stock interface, its connection points, their enumerators and the
// class factory, called with null for each pointer argument in turn.
#include "stock_control.h"
#include "testing/null_sweep.h"

TEST_F(StockTest, NullArgumentsAreRefusedAndChangeNothing) {
    suite::testing::NullSweep sweep;
    EXPECT_EQ(sweep.Run(control), 146);

    IConnectionPointContainer* container = Get<IConnectionPointContainer>(IID_IConnectionPointContainer);
    IEnumConnectionPoints* points = nullptr;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    EXPECT_EQ(sweep.Run(points), 5);
    IConnectionPoint* point = nullptr;
    while (points->Next(1, &point, nullptr) == S_OK) {
        EXPECT_EQ(sweep.Run(point), 7);
        IEnumConnections* connections = nullptr;
        ASSERT_EQ(point->EnumConnections(&connections), S_OK);
        EXPECT_EQ(sweep.Run(connections), 5);
        connections->Release();
        point->Release();
    }
    points->Release();
    container->Release();

    IClassFactory* factory = nullptr;
    ASSERT_EQ(StockModule().GetClassObject(CLSID_StockControl, IID_IClassFactory,
                                           reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(sweep.Run(factory), 4);
    factory->Release();
}
