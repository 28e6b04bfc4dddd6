#include "meterix_fixture.h"

namespace meterix_test {

const suite::testing::InProcessServer& Server() {
    static const auto server = suite::testing::LoadInProcessServer(L"Meterix.dll");
    return server;
}

IProgressBarX* CreateProgressBarX() {
    IClassFactory* factory = nullptr;
    if (FAILED(Server().getClassObject(CLSID_ProgressBarX, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        return nullptr;
    IProgressBarX* control = nullptr;
    factory->CreateInstance(nullptr, IID_IProgressBarX, reinterpret_cast<void**>(&control));
    factory->Release();
    return control;
}

void MeterixTest::SetUp() {
    ASSERT_NE(Server().module, nullptr) << "Meterix.dll did not load";
    // The library started the object model for this thread when it loaded.
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
}

void MeterixTest::TearDown() {
    OleUninitialize();
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

void MeterixControlTest::SetUp() {
    MeterixTest::SetUp();
    control = CreateProgressBarX();
    ASSERT_NE(control, nullptr);
}

void MeterixControlTest::TearDown() {
    if (control) {
        EXPECT_EQ(control->Release(), 0u);
    }
    MeterixTest::TearDown();
}

std::wstring TakeErrorInfo() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info) return L"<none>";
    BSTR source = nullptr, description = nullptr;
    info->GetSource(&source);
    info->GetDescription(&description);
    info->Release();
    return suite::testing::TakeString(source) + L"|" + suite::testing::TakeString(description);
}

}  // namespace meterix_test
