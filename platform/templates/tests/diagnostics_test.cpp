// The library's diagnostics: trace lines exactly as formatted, and the
// "Assertion Failure" box, closed here by a hook instead of a person.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "templates/error_info.h"
#include "templates/tpl_trace.h"
#include "testing/debug_output.h"

namespace {

std::string g_boxTitle;
std::string g_boxText;
HHOOK g_hook = nullptr;

HWND g_box = nullptr;

// Reads the box once it is up, then presses OK.
void CALLBACK ReadAndCloseBox(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    char text[256] = {};
    GetWindowTextA(g_box, text, sizeof text);
    g_boxTitle = text;
    HWND label = GetDlgItem(g_box, 0xFFFF);
    if (label) {
        GetWindowTextA(label, text, sizeof text);
        g_boxText = text;
    }
    PostMessageA(g_box, WM_COMMAND, IDOK, 0);
}

// Sees the box come up on this thread.
LRESULT CALLBACK WatchForBox(int code, WPARAM wParam, LPARAM lParam) {
    char cls[16] = {};
    if (code == HCBT_ACTIVATE && !g_box && GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls) &&
        std::string(cls) == "#32770") {  // the box, not another window of this thread
        g_box = reinterpret_cast<HWND>(wParam);
        SetTimer(nullptr, 0, 50, ReadAndCloseBox);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

std::string g_handled;
void RecordAssertion(const char* expression, const char*, int line) {
    g_handled = std::string(expression) + "@" + std::to_string(line);
}

}  // namespace

TEST(Diagnostics, TraceWritesExactlyWhatWasFormattedAndCutsAt512Bytes) {
    suite::testing::DebugOutputCapture capture;
    tpl::Trace("%s %d>\n", "IOleObject", 2);
    tpl::Trace("no line end");
    tpl::Trace("%s", std::string(600, 'x').c_str());
    auto lines = capture.Take();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "IOleObject 2>\n");
    EXPECT_EQ(lines[1], "no line end");
    EXPECT_EQ(lines[2], std::string(511, 'x'));
}

TEST(Diagnostics, FailedAssertionShowsTheBoxAndTraces) {
    g_hook = SetWindowsHookExA(WH_CBT, WatchForBox, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
    suite::testing::DebugOutputCapture capture;
    TPL_ASSERT(1 + 1 == 3);
    UnhookWindowsHookEx(g_hook);
    EXPECT_EQ(g_boxTitle, "Assertion Failure");
    EXPECT_NE(g_boxText.find("1 + 1 == 3"), std::string::npos) << g_boxText;
    int traced = 0;
    for (const auto& line : capture.Take())
        traced += line.rfind("Assertion failed: 1 + 1 == 3, ", 0) == 0;
    EXPECT_EQ(traced, 1);

    // A holding assertion does nothing at all.
    g_boxTitle.clear();
    TPL_ASSERT(2 + 2 == 4);
    for (const auto& line : capture.Take()) EXPECT_EQ(line.find("Assertion"), std::string::npos);
    EXPECT_TRUE(g_boxTitle.empty());
}

TEST(Diagnostics, InstalledHandlerReplacesTheBox) {
    tpl::AssertionHandler previous = tpl::SetAssertionHandler(RecordAssertion);
    int line = __LINE__ + 1;
    TPL_ASSERT(false);
    EXPECT_EQ(tpl::SetAssertionHandler(previous), RecordAssertion);
    EXPECT_EQ(g_handled, "false@" + std::to_string(line));
}

TEST(Diagnostics, ReportedErrorReachesTheThreadsErrorInformation) {
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(tpl::ReportError(L"it broke", IID_IDispatch, L"Suite.Thing"), DISP_E_EXCEPTION);
    IErrorInfo* info = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    BSTR description = nullptr, source = nullptr;
    GUID iid = {};
    info->GetDescription(&description);
    info->GetSource(&source);
    info->GetGUID(&iid);
    EXPECT_STREQ(description, L"it broke");
    EXPECT_STREQ(source, L"Suite.Thing");
    EXPECT_TRUE(IsEqualIID(iid, IID_IDispatch));
    SysFreeString(description);
    SysFreeString(source);
    info->Release();
    CoUninitialize();
}
