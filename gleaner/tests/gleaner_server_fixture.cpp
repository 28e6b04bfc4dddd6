#include "gleaner_server_fixture.h"

namespace gleaner_test {

GleanerServer& Server() {
    static GleanerServer server = [] {
        GleanerServer s;
        s.module = LoadLibraryA("Gleaner.dll");
        if (s.module) {
            s.getClassObject = reinterpret_cast<GetClassObjectFn>(
                reinterpret_cast<void*>(GetProcAddress(s.module, "DllGetClassObject")));
            s.canUnloadNow = reinterpret_cast<NoArgsFn>(
                reinterpret_cast<void*>(GetProcAddress(s.module, "DllCanUnloadNow")));
            s.registerServer = reinterpret_cast<NoArgsFn>(
                reinterpret_cast<void*>(GetProcAddress(s.module, "DllRegisterServer")));
            s.unregisterServer = reinterpret_cast<NoArgsFn>(
                reinterpret_cast<void*>(GetProcAddress(s.module, "DllUnregisterServer")));
        }
        return s;
    }();
    return server;
}

ULONG RefCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
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

}  // namespace gleaner_test
