// The runtime package unloaded and loaded again in one process, as a
// container does with a control built on it: its window classes go with
// it, windows it left open are closed, and the next load works anew.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

using UseFramework = int (*)(int leaveOpen, HWND* formWindow);

void Pump(DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

TEST(Unload, TheFrameworkPackageGoesWithItsClassesAndComesBackWorking) {
    ASSERT_EQ(GetModuleHandleA("frame35.dll"), nullptr) << "this program must not link the package";
    for (int leaveOpen : {0, 1, 0}) {
        SCOPED_TRACE(leaveOpen ? "a form left open" : "everything freed");
        HMODULE probe = LoadLibraryA("frame_unload_probe.dll");
        ASSERT_NE(probe, nullptr);
        auto use = reinterpret_cast<UseFramework>(reinterpret_cast<void*>(GetProcAddress(probe, "UseFramework")));
        ASSERT_NE(use, nullptr);
        HWND form = nullptr;
        EXPECT_EQ(use(leaveOpen, &form), 1);
        HMODULE package = GetModuleHandleA("frame35.dll");
        ASSERT_NE(package, nullptr);
        WNDCLASSA wc;
        EXPECT_TRUE(GetClassInfoA(package, "TButton", &wc));
        EXPECT_TRUE(GetClassInfoA(package, "FrameParkingWindow", &wc));
        Pump(50);

        FreeLibrary(probe);
        EXPECT_EQ(GetModuleHandleA("frame35.dll"), nullptr);
        EXPECT_FALSE(GetClassInfoA(package, "TButton", &wc));
        EXPECT_FALSE(GetClassInfoA(package, "TForm", &wc));
        EXPECT_FALSE(GetClassInfoA(package, "FrameUtilityWindow", &wc));
        EXPECT_FALSE(IsWindow(form));
        Pump(50);  // a timer left running would call into freed code now
    }
}

}  // namespace
