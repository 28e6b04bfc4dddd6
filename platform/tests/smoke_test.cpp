#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "testing/call_log.h"
#include "testing/child_process.h"
#include "testing/clipboard.h"
#include "testing/debug_output.h"
#include "testing/fake_site.h"
#include "testing/in_process_server.h"
#include "testing/screenshot.h"

using namespace suite::testing;

namespace {

LRESULT CALLBACK PaintRed(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT r = {10, 10, 50, 30};
        FillRect(dc, &r, red);
        DeleteObject(red);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

}  // namespace

TEST(Smoke, WindowPaintsAndPixelsReadBack) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaintRed;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "SmokePaint";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND w = CreateWindowExA(0, "SmokePaint", "smoke", WS_POPUP | WS_VISIBLE, 0, 0, 100, 60,
                             nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(w, nullptr);
    UpdateWindow(w);
    PumpMessages();

    Image shot = CaptureClientArea(w);
    ASSERT_EQ(shot.width, 100);
    ASSERT_EQ(shot.height, 60);
    EXPECT_EQ(shot.At(20, 20), 0xFF0000u);
    EXPECT_EQ(shot.At(70, 40), 0xFFFFFFu);
    EXPECT_EQ(shot.Count(0xFF0000u, RECT{0, 0, 100, 60}), 40 * 20);

    // The saved picture is a well-formed PNG a person can open.
    ASSERT_TRUE(shot.Save("smoke_window.png"));
    FILE* f = std::fopen("smoke_window.png", "rb");
    ASSERT_NE(f, nullptr);
    unsigned char magic[8] = {};
    EXPECT_EQ(std::fread(magic, 1, 8, f), 8u);
    std::fclose(f);
    EXPECT_EQ(magic[1], 'P');
    EXPECT_EQ(magic[2], 'N');
    EXPECT_TRUE(shot.Save("smoke_window.bmp"));
    std::remove("smoke_window.bmp");

    DestroyWindow(w);
    UnregisterClassA("SmokePaint", wc.hInstance);
}

TEST(Smoke, DataCacheIsCreatedAndReleasedToZero) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    IUnknown* cache = nullptr;
    ASSERT_EQ(CreateDataCache(nullptr, CLSID_NULL, IID_IUnknown, reinterpret_cast<void**>(&cache)),
              S_OK);
    IOleCache* asCache = nullptr;
    EXPECT_EQ(cache->QueryInterface(IID_IOleCache, reinterpret_cast<void**>(&asCache)), S_OK);
    EXPECT_EQ(asCache->Release(), 1u);
    EXPECT_EQ(cache->Release(), 0u);
    OleUninitialize();
}

TEST(Smoke, ClipboardRoundTripsEveryFormatTheHelpersPut) {
    ClipboardScope clip;
    ASSERT_TRUE(clip.PutUnicodeText(L"round trip"));
    ASSERT_TRUE(OpenClipboardRetrying());
    auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, L"round trip");
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();

    ASSERT_TRUE(clip.PutDib(MakeSolidDib(4, 3, RGB(0, 0, 255))));
    ASSERT_TRUE(OpenClipboardRetrying());
    auto* dib = static_cast<const BITMAPINFOHEADER*>(GlobalLock(GetClipboardData(CF_DIB)));
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->biWidth, 4);
    EXPECT_EQ(dib->biHeight, 3);
    EXPECT_EQ(*reinterpret_cast<const uint32_t*>(dib + 1), 0x0000FFu);
    GlobalUnlock(GetClipboardData(CF_DIB));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));  // emptied before
    CloseClipboard();

    ASSERT_TRUE(clip.PutBitmap(MakeSolidDib(5, 5, RGB(0, 255, 0))));
    ASSERT_TRUE(clip.PutMetafilePicture(1000, 500, RGB(1, 2, 3), /*add=*/true));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_METAFILEPICT));
    ASSERT_TRUE(OpenClipboardRetrying());
    BITMAP info = {};
    ASSERT_TRUE(GetObjectA(GetClipboardData(CF_BITMAP), sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 5);
    auto* pict = static_cast<const METAFILEPICT*>(GlobalLock(GetClipboardData(CF_METAFILEPICT)));
    ASSERT_NE(pict, nullptr);
    EXPECT_EQ(pict->xExt, 1000);
    GlobalUnlock(GetClipboardData(CF_METAFILEPICT));
    CloseClipboard();

    EXPECT_TRUE(ClipboardScope::Empty());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
}

TEST(Smoke, DebugOutputIsCapturedLineByLine) {
    DebugOutputCapture trace;
    OutputDebugStringA("first");
    OutputDebugStringA("second with spaces  ");
    OutputDebugStringA("");
    EXPECT_EQ(trace.Take(), (std::vector<std::string>{"first", "second with spaces  ", ""}));
    OutputDebugStringA("after take");
    EXPECT_EQ(trace.Lines(), (std::vector<std::string>{"after take"}));
}

TEST(Smoke, SeparateProgramRunsAndReportsExitCodeAndDebugOutput) {
    ChildProcess child("smoke_child.exe 7");
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(child.Wait(20000), 7u);

    ProgramRun run = RunCapturingDebugOutput("smoke_child.exe 3", 20000);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_EQ(run.debugLines, (std::vector<std::string>{"smoke child started", "second line"}));
}

TEST(Smoke, CallLogComparesSequences) {
    CallLog log;
    log.Add("IOleClientSite::GetContainer");
    log.Add("IOleClientSite::ShowObject");
    EXPECT_CALLS(log, {"IOleClientSite::GetContainer", "IOleClientSite::ShowObject"});
    EXPECT_TRUE(log.Calls().empty());
}

// The fake container's ambient properties, as a control reads them: the
// colours as OLE_COLOR values, the font as a font object, none unset.
TEST(Smoke, FakeSiteAnswersTheAmbientPropertiesItWasGiven) {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    {
        CallLog log;
        FakeSite site(log);
        site.SetAmbient(DISPID_AMBIENT_BACKCOLOR, ColourVariant(0x8000000F));
        site.SetAmbient(DISPID_AMBIENT_FORECOLOR, ColourVariant(RGB(1, 2, 3)));
        site.SetAmbientFont(L"Arial", 12, true);
        IDispatch* ambients = Query<IDispatch>(static_cast<IOleClientSite*>(&site), IID_IDispatch);
        ASSERT_NE(ambients, nullptr);
        auto read = [&](DISPID id, VARIANT& value) {
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            VariantInit(&value);
            return ambients->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
        };
        VARIANT value;
        ASSERT_EQ(read(DISPID_AMBIENT_BACKCOLOR, value), S_OK);
        EXPECT_EQ(static_cast<OLE_COLOR>(V_I4(&value)), 0x8000000Fu);
        ASSERT_EQ(read(DISPID_AMBIENT_FORECOLOR, value), S_OK);
        EXPECT_EQ(static_cast<OLE_COLOR>(V_I4(&value)), RGB(1, 2, 3));
        ASSERT_EQ(read(DISPID_AMBIENT_FONT, value), S_OK);
        ASSERT_EQ(V_VT(&value), VT_DISPATCH);
        IFont* font = Query<IFont>(V_DISPATCH(&value), IID_IFont);
        ASSERT_NE(font, nullptr);
        CY size = {};
        BOOL bold = FALSE;
        font->get_Size(&size);  // the name is whatever face the platform found
        font->get_Bold(&bold);
        EXPECT_EQ(size.int64, 12 * 10000);
        EXPECT_TRUE(bold);
        font->Release();
        VariantClear(&value);
        EXPECT_EQ(read(DISPID_AMBIENT_USERMODE, value), DISP_E_MEMBERNOTFOUND);
        EXPECT_CALLS(log, {"QueryInterface(IDispatch)", "Ambient(-701)", "Ambient(-704)", "Ambient(-703)",
                           "Ambient(-709)"});
        ambients->Release();
        EXPECT_EQ(site.refs, 0);
    }
    OleUninitialize();
}
