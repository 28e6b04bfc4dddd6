// Every interface of the control, its connection points and its class
// factory, called with null for each pointer argument in turn.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "gleaner_server_fixture.h"
#include "testing/null_sweep.h"

using namespace gleaner_test;
using suite::testing::NullCall;

TEST_F(GleanerObjectTest, NullArgumentsAreRefusedAndChangeNothing) {
    suite::testing::NullSweep sweep;
    sweep.answers = {
        {"IObjectSafety::GetInterfaceSafetyOptions(supported)", E_POINTER},
        {"IObjectSafety::GetInterfaceSafetyOptions(enabled)", E_POINTER},
        {"IClassFactory::CreateInstance(object)", E_POINTER},
    };
    sweep.own = {
        NullCall{&IID_IGleaner, "IGleaner::get_Text(value)",
                 [](void* on, auto&) { return static_cast<IGleaner*>(on)->get_Text(nullptr); }},
        NullCall{&IID_IGleaner, "IGleaner::get_Picture(value)",
                 [](void* on, auto&) { return static_cast<IGleaner*>(on)->get_Picture(nullptr); }},
    };
    EXPECT_EQ(sweep.Run(control), 153);

    IConnectionPointContainer* container = Query<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
    for (const IID* iid : {&IID_IPropertyNotifySink, &DIID_DIGleanerEvents}) {
        IConnectionPoint* point = nullptr;
        ASSERT_EQ(container->FindConnectionPoint(*iid, &point), S_OK);
        EXPECT_EQ(sweep.Run(point), 7);
        point->Release();
    }
    container->Release();

    IClassFactory* factory = nullptr;
    ASSERT_EQ(Server().getClassObject(CLSID_Gleaner, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    EXPECT_EQ(sweep.Run(factory), 4);
    factory->Release();
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(Server().getClassObject(suite::testing::NullIid(), IID_IClassFactory, &out), E_POINTER);
    EXPECT_EQ(Server().getClassObject(CLSID_Gleaner, suite::testing::NullIid(), &out), E_POINTER);
    EXPECT_EQ(out, nullptr);
}
