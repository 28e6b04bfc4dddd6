// A test with one control over a small blue bitmap on the clipboard, which
// it must give back whole: the last Release ends the object and the server
// can unload afterwards.
#pragma once
#include "snapview_library.h"

namespace snapview_test {

class ControlFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One of the control's interfaces, which the caller releases.
    template <typename T>
    T* Get(REFIID iid) {
        T* out = nullptr;
        EXPECT_EQ(control->QueryInterface(iid, reinterpret_cast<void**>(&out)), S_OK);
        return out;
    }

    ClipboardScope clipboard;
    IUnknown* control = nullptr;
};

}  // namespace snapview_test
