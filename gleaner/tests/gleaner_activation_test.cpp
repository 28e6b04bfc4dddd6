// In-place activation as containers do it: windowless when the site allows
// it, in a child window of the container otherwise; verbs; quick activation.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <cstring>

#include "fake_container.h"
#include "gleaner_server_fixture.h"
#include "testing/screenshot.h"

using namespace gleaner_test;
using suite::testing::ClipboardScope;

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

class GleanerActivationTest : public GleanerObjectTest {
protected:
    // The container's window first, then a control over a bitmap of its own
    // size instead of the default one.
    void SetUp() override {
        GleanerTest::SetUp();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "GleanerTestContainer";
        RegisterClassA(&wc);
        container = CreateWindowExA(0, "GleanerTestContainer", "container",
                                    WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 120,
                                    nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(container, nullptr);
        ASSERT_NO_FATAL_FAILURE(CreateControl(RGB(255, 0, 0), 30, 10));
    }
    void TearDown() override {
        // The control goes before the window it lives in.
        EndControl();
        DestroyWindow(container);
        UnregisterClassA("GleanerTestContainer", GetModuleHandleA(nullptr));
        GleanerObjectTest::TearDown();
    }

    HWND ControlWindow() {
        IOleWindow* window = Query<IOleWindow>(control, IID_IOleWindow);
        HWND hwnd = nullptr;
        window->GetWindow(&hwnd);
        window->Release();
        return hwnd;
    }

    HWND container = nullptr;
    CallLog log;
};

}  // namespace

TEST_F(GleanerActivationTest, WindowlessSiteGetsAWindowlessControl) {
    FakeSite site(log, SiteKind::Windowless, container);
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    EXPECT_EQ(site.Count(), 3u);  // the site and its ambient dispatch
    EXPECT_CALLS(log, {});

    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, container, nullptr), S_OK);
    EXPECT_CALLS(log, {"CanWindowlessActivate", "OnInPlaceActivateEx(1)", "GetWindow",
                       "GetWindowContext", "ShowObject"});
    EXPECT_EQ(ControlWindow(), nullptr);

    // A new picture is repainted through the site, not a window.
    {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(3, 3, RGB(0, 0, 255))));
        EXPECT_EQ(control->GrabFromClipboard(), S_OK);
    }
    EXPECT_CALLS(log, {"InvalidateRect(null,1)"});

    // Drawn without bounds, it paints where the site placed it.
    IViewObject* view = Query<IViewObject>(control, IID_IViewObject);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 60);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, nullptr, nullptr,
                         nullptr, 0),
              S_OK);
    EXPECT_EQ(GetPixel(dc, 50, 30), RGB(0, 0, 255));
    // A paint message forwarded by the container paints there too.
    RECT all = {0, 0, 100, 60};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    IOleInPlaceObjectWindowless* windowless =
        Query<IOleInPlaceObjectWindowless>(control, IID_IOleInPlaceObjectWindowless);
    LRESULT result = 1;
    EXPECT_EQ(windowless->OnWindowMessage(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, &result), S_OK);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(GetPixel(dc, 50, 30), RGB(0, 0, 255));
    EXPECT_EQ(windowless->OnWindowMessage(WM_PAINT, 0, 0, &result), S_OK);
    windowless->Release();
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    view->Release();

    IOleInPlaceObject* inPlace = Query<IOleInPlaceObject>(control, IID_IOleInPlaceObject);
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_CALLS(log, {"OnInPlaceDeactivateEx(1)"});
    inPlace->Release();
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(site.Count(), 1u);
}

TEST_F(GleanerActivationTest, PlainSiteGetsAChildWindowThatPaintsThePicture) {
    FakeSite site(log, SiteKind::Plain, container);
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, container, nullptr), S_OK);
    EXPECT_CALLS(log, {"CanInPlaceActivate", "OnInPlaceActivate", "GetWindow", "GetWindowContext",
                       "ShowObject"});
    HWND window = ControlWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), container);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    EXPECT_EQ(std::strncmp(name, "TPL:", 4), 0) << name;
    EXPECT_EQ(std::strlen(name), 12u);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW), CS_HREDRAW | CS_VREDRAW);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 80);
    EXPECT_EQ(rect.bottom - rect.top, 40);

    RedrawWindow(container, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    suite::testing::Image shot = suite::testing::CaptureClientArea(window);
    shot.Save("gleaner_windowed.png");
    ASSERT_EQ(shot.width, 80);
    EXPECT_EQ(shot.Count(0xFF0000u, RECT{0, 0, 80, 40}), 80 * 40);

    // A grab invalidates the window, which repaints with the new picture.
    {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(3, 3, RGB(0, 255, 0))));
        EXPECT_EQ(control->GrabFromClipboard(), S_OK);
    }
    UpdateWindow(window);
    Pump();
    shot = suite::testing::CaptureClientArea(window);
    EXPECT_EQ(shot.Count(0x00FF00u, RECT{0, 0, 80, 40}), 80 * 40);
    EXPECT_CALLS(log, {});

    // Hiding keeps the window; deactivation destroys it.
    EXPECT_EQ(object->DoVerb(OLEIVERB_HIDE, nullptr, &site, 0, container, nullptr), S_OK);
    EXPECT_FALSE(IsWindowVisible(window));
    IOleInPlaceObject* inPlace = Query<IOleInPlaceObject>(control, IID_IOleInPlaceObject);
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_CALLS(log, {"OnInPlaceDeactivate"});
    inPlace->Release();
    ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(site.Count(), 1u);
}

TEST_F(GleanerActivationTest, ReleasingAnActiveControlDestroysItsWindowAndLetsGoOfTheSite) {
    FakeSite site(log, SiteKind::Plain, container);
    object->SetClientSite(&site);
    ASSERT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, container, nullptr), S_OK);
    EXPECT_CALLS(log, {"CanInPlaceActivate", "OnInPlaceActivate", "GetWindow", "GetWindowContext",
                       "OnUIActivate", "ShowObject"});
    HWND window = ControlWindow();
    ASSERT_NE(window, nullptr);
    EndControl();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(site.Count(), 1u);
    log.Clear();
}

TEST_F(GleanerActivationTest, NoWindowMeansNoActivation) {
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    FakeSite site(log, SiteKind::Plain, gone);
    object->SetClientSite(&site);
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, gone, nullptr), E_FAIL);
    EXPECT_CALLS(log, {"CanInPlaceActivate", "OnInPlaceActivate", "GetWindow", "GetWindowContext",
                       "OnInPlaceDeactivate"});
    object->SetClientSite(nullptr);
    EXPECT_CALLS(log, {});
    EXPECT_EQ(site.Count(), 1u);
}

TEST_F(GleanerActivationTest, AnotherSiteIsNegotiatedAfresh) {
    FakeSite windowless(log, SiteKind::Windowless, container);
    object->SetClientSite(&windowless);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &windowless, 0, container, nullptr),
              S_OK);
    EXPECT_EQ(ControlWindow(), nullptr);

    // Moving to a site without windowless support leaves the old one first.
    FakeSite plain(log, SiteKind::Plain, container);
    log.Clear();
    object->SetClientSite(&plain);
    EXPECT_CALLS(log, {"OnInPlaceDeactivateEx(1)"});
    EXPECT_EQ(windowless.Count(), 1u);
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &plain, 0, container, nullptr), S_OK);
    EXPECT_NE(ControlWindow(), nullptr);
    object->SetClientSite(nullptr);
    EXPECT_EQ(ControlWindow(), nullptr);
    EXPECT_EQ(plain.Count(), 1u);
    log.Clear();
}

TEST_F(GleanerActivationTest, VerbsFollowTheirTable) {
    FakeSite site(log, SiteKind::Windowless, container);
    object->SetClientSite(&site);
    EXPECT_EQ(object->DoVerb(OLEIVERB_OPEN, nullptr, &site, 0, container, nullptr), S_OK);
    EXPECT_EQ(object->DoVerb(OLEIVERB_DISCARDUNDOSTATE, nullptr, &site, 0, container, nullptr), S_OK);
    EXPECT_EQ(object->DoVerb(7, nullptr, &site, 0, container, nullptr), E_NOTIMPL);
    EXPECT_CALLS(log, {});

    // Verb 1, which the registration puts on the container's menu, grabs.
    {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutUnicodeText(L"text"));
        EXPECT_EQ(object->DoVerb(1, nullptr, &site, 0, container, nullptr), E_FAIL);
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(3, 3, RGB(0, 255, 0))));
        EXPECT_EQ(object->DoVerb(1, nullptr, &site, 0, container, nullptr), S_OK);
    }

    // The primary verb in run mode activates in place.
    EXPECT_EQ(object->DoVerb(OLEIVERB_PRIMARY, nullptr, &site, 0, container, nullptr), S_OK);
    EXPECT_CALLS(log, {"Ambient(-709)", "CanWindowlessActivate", "OnInPlaceActivateEx(1)",
                       "GetWindow", "GetWindowContext", "OnUIActivate", "ShowObject"});
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    log.Clear();
    EXPECT_EQ(site.Count(), 1u);
}

TEST_F(GleanerActivationTest, QuickActivationConnectsTheContainersSinks) {
    FakeSite site(log, SiteKind::Windowless, container);
    FakePropertySink propertySink(log);
    FakeEventSink eventSink(log);
    FakeAdviseSink adviseSink(log);
    QACONTAINER qaContainer = {};
    qaContainer.cbSize = sizeof qaContainer;
    qaContainer.pClientSite = &site;
    qaContainer.pPropertyNotifySink = &propertySink;
    qaContainer.pUnkEventSink = &eventSink;
    qaContainer.pAdviseSink = reinterpret_cast<IAdviseSinkEx*>(static_cast<IAdviseSink*>(&adviseSink));
    QACONTROL qaControl = {};
    qaControl.cbSize = sizeof qaControl;
    IQuickActivate* quick = Query<IQuickActivate>(control, IID_IQuickActivate);
    ASSERT_EQ(quick->QuickActivate(&qaContainer, &qaControl), S_OK);
    EXPECT_NE(qaControl.dwEventCookie, 0u);
    EXPECT_NE(qaControl.dwPropNotifyCookie, 0u);
    EXPECT_EQ(propertySink.Count(), 2u);
    EXPECT_EQ(eventSink.Count(), 2u);

    SIZEL size = {2540, 1270};
    EXPECT_EQ(quick->SetContentExtent(&size), S_OK);
    SIZEL read = {};
    EXPECT_EQ(quick->GetContentExtent(&read), S_OK);
    EXPECT_EQ(read.cx, 2540);
    EXPECT_EQ(read.cy, 1270);
    quick->Release();

    {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(3, 3, RGB(0, 255, 0))));
        EXPECT_EQ(control->GrabFromClipboard(), S_OK);
    }
    EXPECT_CALLS(log, {"OnViewChange(1,-1)", "Invoke(1,1,0)"});

    // The control's last release lets go of every sink and the site.
    EndControl();
    EXPECT_EQ(site.Count(), 1u);
    EXPECT_EQ(propertySink.Count(), 1u);
    EXPECT_EQ(eventSink.Count(), 1u);
    EXPECT_EQ(adviseSink.Count(), 1u);
}
