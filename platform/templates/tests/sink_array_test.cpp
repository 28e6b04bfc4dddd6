// The sink lists behind connection points: cookies, limits, reuse.
#include <windows.h>

#include <gtest/gtest.h>

#include "templates/connection_points.h"

namespace {
IUnknown* Fake(int n) { return reinterpret_cast<IUnknown*>(static_cast<INT_PTR>(n * 16)); }
}

TEST(SinkArrays, FixedArrayRefusesWhenFullAndReusesFreedSlots) {
    CComUnkArray<2> sinks;
    EXPECT_EQ(sinks.Add(Fake(1)), 1u);
    EXPECT_EQ(sinks.Add(Fake(2)), 2u);
    EXPECT_EQ(sinks.Add(Fake(3)), 0u);
    EXPECT_EQ(sinks.Remove(0), nullptr);
    EXPECT_EQ(sinks.Remove(3), nullptr);
    EXPECT_EQ(sinks.Remove(1), Fake(1));
    EXPECT_EQ(sinks.Remove(1), nullptr);
    EXPECT_EQ(sinks.Add(Fake(4)), 1u);
    EXPECT_EQ(*sinks.begin(), Fake(4));
}

TEST(SinkArrays, DynamicArrayGrowsAndKeepsCookiesStable) {
    CComDynamicUnkArray sinks;
    for (int i = 1; i <= 100; ++i) EXPECT_EQ(sinks.Add(Fake(i)), static_cast<DWORD>(i));
    EXPECT_EQ(sinks.Remove(50), Fake(50));
    EXPECT_EQ(sinks.Remove(50), nullptr);
    EXPECT_EQ(sinks.Remove(101), nullptr);
    EXPECT_EQ(sinks.Remove(0), nullptr);
    EXPECT_EQ(sinks.Add(Fake(7)), 50u);  // the hole is filled first
    int live = 0;
    for (IUnknown* s : sinks) live += s != nullptr;
    EXPECT_EQ(live, 100);
}
