// Loads Meterix.dll the way a container does and hands out controls.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "Meterix_TLB.h"
#include "testing/in_process_server.h"

namespace meterix_test {

using namespace Meterix_TLB;
using suite::testing::Query;
using suite::testing::RefCount;

// Loaded once per test program and kept, as a container keeps a server.
const suite::testing::InProcessServer& Server();

// A fresh control (its IProgressBarX), or null.
IProgressBarX* CreateProgressBarX();

// Every test runs in the single-threaded apartment and gives back every
// object it made; a test with a control gets one, released at the end,
// which must be its last reference.
class MeterixTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

class MeterixControlTest : public MeterixTest {
protected:
    void SetUp() override;
    void TearDown() override;
    template <class I>
    I* As(REFIID iid) {
        return Query<I>(control, iid);
    }
    IProgressBarX* control = nullptr;
};

// The thread's error information, as "source|description", and cleared.
std::wstring TakeErrorInfo();

}  // namespace meterix_test
