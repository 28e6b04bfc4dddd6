// Windows owned by objects: the generated window class, the message map
// and detaching before destruction.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "templates/com_module.h"
#include "templates/window.h"
#include "testing/debug_output.h"

namespace {

class TestWindow : public CWindowImpl<TestWindow> {
public:
    int users = 0;
    BEGIN_MSG_MAP(TestWindow)
        MESSAGE_HANDLER(WM_USER, OnUser)
    END_MSG_MAP()

    LRESULT OnUser(UINT, WPARAM wParam, LPARAM, BOOL& handled) {
        ++users;
        handled = wParam != 0;  // zero: let the default procedure answer
        return 42;
    }
};

}  // namespace

TEST(Window, MessagesGoThroughTheMapAndTheClassIsGenerated) {
    TestWindow window;
    RECT rect = {0, 0, 50, 30};
    HWND hwnd = window.Create(nullptr, rect, WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(window.m_hWnd, hwnd);
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    EXPECT_EQ(std::strncmp(name, "TPL:", 4), 0);
    EXPECT_EQ(std::strlen(name), 12u);
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND), static_cast<LONG_PTR>(COLOR_WINDOW + 1));

    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 1, 0), 42);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);  // passed on: DefWindowProc answers 0
    EXPECT_EQ(window.users, 2);

    suite::testing::DebugOutputCapture trace;
    LRESULT result = 0;
    EXPECT_FALSE(window.ProcessWindowMessage(hwnd, WM_USER, 1, 0, result, 3));
    auto lines = trace.Take();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Invalid message map ID (3)\n"), lines.end());

    window.DetachAndDestroy();
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

namespace {

class ModuleWindow : public CWindowImpl<ModuleWindow> {
public:
    BEGIN_MSG_MAP(ModuleWindow)
    END_MSG_MAP()
};

bool ClassExists(const char* name) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    return GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc) != 0;
}

}  // namespace

// The system keeps a library's window classes after it unloads, procedure
// and all: the module takes its classes away when it ends.
TEST(Window, ModuleEndUnregistersTheClassesItsWindowsRegistered) {
    TplObjectMapEntry noClasses[] = {{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr}};
    CComModule module;
    module.Init(noClasses, GetModuleHandleA(nullptr));
    ModuleWindow window;
    RECT rect = {0, 0, 20, 20};
    HWND hwnd = window.Create(nullptr, rect, WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    window.DetachAndDestroy();
    EXPECT_TRUE(ClassExists(name));
    module.Term();
    EXPECT_FALSE(ClassExists(name));

    // Made again later, the class is registered afresh.
    hwnd = window.Create(nullptr, rect, WS_POPUP);
    EXPECT_NE(hwnd, nullptr);
    window.DetachAndDestroy();
}
