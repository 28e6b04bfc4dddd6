#include "control_fixture.h"

namespace snapview_test {

void ControlFixture::SetUp() {
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255))));
    ASSERT_EQ(CreateControl(nullptr, IID_IUnknown, reinterpret_cast<void**>(&control)), S_OK);
}

void ControlFixture::TearDown() {
    if (control) {
        EXPECT_EQ(control->Release(), 0u);
    }
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

}  // namespace snapview_test
