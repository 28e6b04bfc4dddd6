#include "gleaner_server_fixture.h"

namespace gleaner_test {

const GleanerServer& Server() {
    static const GleanerServer server = suite::testing::LoadInProcessServer(L"Gleaner.dll");
    return server;
}

IGleaner* CreateGleaner(COLORREF colour, int width, int height) {
    suite::testing::ClipboardScope clipboard;
    if (!clipboard.PutBitmap(suite::testing::MakeSolidDib(width, height, colour))) return nullptr;
    IClassFactory* factory = nullptr;
    if (FAILED(Server().getClassObject(CLSID_Gleaner, IID_IClassFactory,
                                       reinterpret_cast<void**>(&factory))))
        return nullptr;
    IGleaner* control = nullptr;
    factory->CreateInstance(nullptr, IID_IGleaner, reinterpret_cast<void**>(&control));
    factory->Release();
    return control;
}

void GleanerTest::SetUp() {
    ASSERT_NE(Server().module, nullptr) << "Gleaner.dll did not load";
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
}

void GleanerTest::TearDown() {
    OleUninitialize();
    // Every test gives back every object it made.
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

void GleanerObjectTest::SetUp() {
    GleanerTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(CreateControl());
}

void GleanerObjectTest::TearDown() {
    EndControl();
    GleanerTest::TearDown();
}

void GleanerObjectTest::CreateControl(COLORREF colour, int width, int height) {
    control = CreateGleaner(colour, width, height);
    ASSERT_NE(control, nullptr);
    object = Query<IOleObject>(control, IID_IOleObject);
}

void GleanerObjectTest::EndControl() {
    if (object) {
        object->Release();
        object = nullptr;
    }
    if (control) {
        EXPECT_EQ(control->Release(), 0u);
        control = nullptr;
    }
}

}  // namespace gleaner_test
