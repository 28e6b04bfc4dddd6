// Embedding: a container's site, in-place activation, verbs, the window's
// placement and region, closing, sizing, advise sinks and what the control
// draws.
#include "snapview_library.h"
#include "testing/screenshot.h"

using namespace snapview_test;

namespace {

class EmbeddingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(16, 8, RGB(0, 0, 255))));
        ASSERT_EQ(CreateControl(nullptr, IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
        ASSERT_EQ(object->QueryInterface(IID_IOleInPlaceObject,
                                         reinterpret_cast<void**>(&inPlace)), S_OK);
    }
    void TearDown() override {
        if (inPlace) inPlace->Release();
        if (object) {
            EXPECT_EQ(object->Release(), 0u);
        }
        // The control gives back everything the container handed it.
        EXPECT_EQ(site.refs, 0);
        EXPECT_EQ(site.frame.refs, 0);
        EXPECT_EQ(Server().canUnloadNow(), S_OK);
    }
    HWND ControlWindow() {
        HWND window = nullptr;
        inPlace->GetWindow(&window);
        return window;
    }
    void Activate() {
        ASSERT_EQ(object->SetClientSite(&site), S_OK);
        ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr),
                  S_OK);
        log.Clear();
    }
    // Ends the control within the test, to see what it lets go of.
    void EndControl() {
        inPlace->Release();
        inPlace = nullptr;
        EXPECT_EQ(object->Release(), 0u);
        object = nullptr;
    }

    ClipboardScope clipboard;
    CallLog log;
    suite::testing::FakeSite site{log};
    IOleObject* object = nullptr;
    IOleInPlaceObject* inPlace = nullptr;
};

RECT WindowRectInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TEST_F(EmbeddingTest, InPlaceActivationAsksTheSiteThenMakesTheWindowOnce) {
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    EXPECT_EQ(site.refs, 1);
    DebugOutputCapture trace;
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr), S_OK);
    EXPECT_CALLS(log, {"QueryInterface(IOleInPlaceSite)", "CanInPlaceActivate",
                       "OnInPlaceActivate", "GetWindow", "GetWindowContext",
                       "ShowObject"});
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"IOLEOBJ: TImpIOleObject::DoVerb iVerb = -5",
                     "SNAPVIEW: TSnapview::InPlaceActivate",
                     "IIPOBJ: TImpIOleInPlaceObject::SetObjectRects"}));
    EXPECT_EQ(site.frame.refs, 0);  // the window context's frame is given back
    EXPECT_EQ(site.refs, 2);        // client site and in-place site

    HWND window = ControlWindow();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetParent(window), site.window);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), 0x54800000u);
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
    wchar_t text[64] = {};
    GetClassNameW(window, text, 64);
    EXPECT_STREQ(text, L"Button");
    GetWindowTextW(window, text, 64);
    EXPECT_STREQ(text, L"Quibb's Clip Control");
    RECT placed = WindowRectInParent(window);
    EXPECT_TRUE(EqualRect(&placed, &site.position));

    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr), S_OK);
    EXPECT_CALLS(log, {});
    EXPECT_EQ(ControlWindow(), window);
}

TEST_F(EmbeddingTest, RefusedActivationIsReportedAndCanBeRetried) {
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, nullptr, nullptr),
              E_INVALIDARG);
    site.kind = suite::testing::InPlaceSiteKind::None;
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr),
              E_NOINTERFACE);
    site.kind = suite::testing::InPlaceSiteKind::Plain;
    site.canInPlaceActivate = E_ACCESSDENIED;
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr),
              E_ACCESSDENIED);
    EXPECT_CALLS(log, {"QueryInterface(IOleInPlaceSite)", "QueryInterface(IOleInPlaceSite)",
                       "CanInPlaceActivate"});
    HWND none = reinterpret_cast<HWND>(1);
    EXPECT_EQ(inPlace->GetWindow(&none), E_FAIL);
    EXPECT_EQ(none, nullptr);

    site.canInPlaceActivate = S_OK;
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr), S_OK);
    EXPECT_TRUE(IsWindow(ControlWindow()));
    log.Clear();
}

TEST_F(EmbeddingTest, SetObjectRectsClipsTheWindowToTheVisiblePart) {
    Activate();
    HWND window = ControlWindow();
    HRGN region = CreateRectRgn(0, 0, 0, 0);

    // Clip covering it all: no region, window moved.
    RECT position{30, 40, 130, 90};
    RECT all{0, 0, 400, 300};
    EXPECT_EQ(inPlace->SetObjectRects(&position, &all), S_OK);
    EXPECT_EQ(GetWindowRgn(window, region), ERROR);
    RECT placed = WindowRectInParent(window);
    EXPECT_TRUE(EqualRect(&placed, &position));

    // Clip covering the left half: the region is that half.
    RECT leftHalf{0, 0, 80, 300};
    EXPECT_EQ(inPlace->SetObjectRects(&position, &leftHalf), S_OK);
    ASSERT_EQ(GetWindowRgn(window, region), SIMPLEREGION);
    RECT box;
    GetRgnBox(region, &box);
    RECT expected{0, 0, 50, 50};
    EXPECT_TRUE(EqualRect(&box, &expected));

    // Clip not meeting it at all: no region again.
    RECT elsewhere{300, 200, 400, 300};
    EXPECT_EQ(inPlace->SetObjectRects(&position, &elsewhere), S_OK);
    EXPECT_EQ(GetWindowRgn(window, region), ERROR);

    DeleteObject(region);
}

TEST_F(EmbeddingTest, CloseDestroysTheWindowOnlyWithAClientSite) {
    // Activated through a site that was never set as the client site.
    ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr), S_OK);
    log.Clear();
    HWND window = ControlWindow();
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_CALLS(log, {});

    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    EXPECT_EQ(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_CALLS(log, {"OnShowWindow(FALSE)"});
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ControlWindow(), nullptr);
    // Active for good: no window comes back.
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(ControlWindow(), nullptr);
    EXPECT_CALLS(log, {});
}

TEST_F(EmbeddingTest, VerbsGrabIgnoreOrRefuse) {
    DebugOutputCapture trace;
    EXPECT_EQ(object->DoVerb(OLEIVERB_PRIMARY, nullptr, &site, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"IOLEOBJ: TImpIOleObject::DoVerb iVerb = 0",
                     "SNAPVIEW: TSnapview::GrabFromClipboard", "SNAPVIEW: TSnapview::AddRef 3",
                     "SNAPVIEW: TSnapview::Release 2"}));
    EXPECT_EQ(object->DoVerb(OLEIVERB_SHOW, nullptr, &site, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(object->DoVerb(OLEIVERB_HIDE, nullptr, &site, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, nullptr, nullptr),
              OLEOBJ_S_INVALIDVERB);
    EXPECT_EQ(object->DoVerb(1, nullptr, &site, 0, nullptr, nullptr), OLEOBJ_S_INVALIDVERB);
    ASSERT_TRUE(ClipboardScope::Empty());
    EXPECT_EQ(object->DoVerb(OLEIVERB_OPEN, nullptr, &site, 0, nullptr, nullptr), E_FAIL);
    EXPECT_CALLS(log, {});
    EXPECT_EQ(site.refs, 0);
}

TEST_F(EmbeddingTest, ClientSiteIsHeldUntilReplacedOrTheControlGoes) {
    IOleClientSite* got = reinterpret_cast<IOleClientSite*>(1);
    EXPECT_EQ(object->GetClientSite(&got), E_FAIL);
    EXPECT_EQ(got, nullptr);
    EXPECT_EQ(object->SetClientSite(nullptr), E_UNEXPECTED);
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    EXPECT_EQ(object->SetClientSite(nullptr), E_UNEXPECTED);
    EXPECT_EQ(object->GetClientSite(&got), S_OK);
    EXPECT_EQ(got, static_cast<IOleClientSite*>(&site));
    EXPECT_EQ(site.refs, 2);
    got->Release();

    CallLog otherLog;
    suite::testing::FakeSite other(otherLog);
    ASSERT_EQ(object->SetClientSite(&other), S_OK);
    EXPECT_EQ(site.refs, 0);
    EXPECT_EQ(other.refs, 1);
    EndControl();
    EXPECT_EQ(other.refs, 0);
}

TEST_F(EmbeddingTest, RegistryAnswersForVerbsUserTypeAndStatus) {
    IEnumOLEVERB* verbs = nullptr;
    ASSERT_EQ(object->EnumVerbs(&verbs), S_OK);
    OLEVERB verb{};
    ASSERT_EQ(verbs->Next(1, &verb, nullptr), S_OK);
    EXPECT_EQ(verb.lVerb, 0);
    EXPECT_STREQ(verb.lpszVerbName, L"&Grab from Clipboard");
    CoTaskMemFree(verb.lpszVerbName);
    verbs->Release();

    LPOLESTR name = nullptr;
    ASSERT_EQ(object->GetUserType(USERCLASSTYPE_FULL, &name), S_OK);
    EXPECT_STREQ(name, L"Quibb's Clipboard Control");
    CoTaskMemFree(name);
    ASSERT_EQ(object->GetUserType(USERCLASSTYPE_SHORT, &name), S_OK);
    EXPECT_STREQ(name, L"Snapview");
    CoTaskMemFree(name);

    DWORD status = 0;
    EXPECT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    EXPECT_TRUE(status & OLEMISC_INSIDEOUT);
    EXPECT_TRUE(status & OLEMISC_SETCLIENTSITEFIRST);
    CLSID clsid{};
    EXPECT_EQ(object->GetUserClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_Snapview);
}

TEST_F(EmbeddingTest, ExtentIsThePictureSizeTheCacheReports) {
    // The 16 by 8 pixel picture grabbed at creation, in 0.01 mm at 96 dpi.
    SIZEL size{};
    EXPECT_EQ(object->GetExtent(DVASPECT_CONTENT, &size), S_OK);
    EXPECT_EQ(size.cx, 16 * 2540 / 96);
    EXPECT_EQ(size.cy, 8 * 2540 / 96);
    SIZEL ignored{1, 1};
    EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, &ignored), S_OK);
    EXPECT_EQ(object->GetExtent(DVASPECT_CONTENT, &size), S_OK);
    EXPECT_EQ(size.cx, 16 * 2540 / 96);
}

TEST_F(EmbeddingTest, AdviseSinksGoToTheHolderAndAreNeverCalled) {
    IEnumSTATDATA* advises = nullptr;
    EXPECT_EQ(object->Unadvise(1), E_FAIL);
    EXPECT_EQ(object->EnumAdvise(&advises), E_FAIL);
    CallLog sinkLog;
    suite::testing::FakeAdviseSink sink(sinkLog);
    DWORD connection = 0;
    ASSERT_EQ(object->Advise(&sink, &connection), S_OK);
    EXPECT_NE(connection, 0u);
    EXPECT_EQ(sink.refs, 1);
    EXPECT_EQ(object->DoVerb(OLEIVERB_PRIMARY, nullptr, nullptr, 0, nullptr, nullptr), S_OK);
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_CALLS(sinkLog, {});
    EXPECT_EQ(object->Unadvise(connection), S_OK);
    EXPECT_EQ(sink.refs, 0);
    EXPECT_EQ(object->Unadvise(connection), OLE_E_NOCONNECTION);

    // A sink still advised when the control goes is let go with it.
    ASSERT_EQ(object->Advise(&sink, &connection), S_OK);
    EndControl();
    EXPECT_EQ(sink.refs, 0);
}

TEST_F(EmbeddingTest, WindowsDrawTheLatestControlsDataAndNeverADeadOnes) {
    Activate();
    HWND first = ControlWindow();
    // A click is only default handling: nothing is sent to the container.
    SendMessageW(first, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    SendMessageW(first, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_CALLS(log, {});

    auto blueIn = [](HWND window) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        PumpMessages();
        auto shot = suite::testing::CaptureClientArea(window);
        return shot.Count(0x0000FFu, RECT{0, 0, shot.width, shot.height});
    };
    auto redIn = [](HWND window) {
        auto shot = suite::testing::CaptureClientArea(window);
        return shot.Count(0xFF0000u, RECT{0, 0, shot.width, shot.height});
    };
    EXPECT_GT(blueIn(first), 0);

    // A second control over red data: both windows draw the newer data.
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(16, 8, RGB(255, 0, 0))));
    CallLog secondLog;
    suite::testing::FakeSite secondSite(secondLog);
    IOleObject* second = nullptr;
    ASSERT_EQ(CreateControl(nullptr, IID_IOleObject, reinterpret_cast<void**>(&second)), S_OK);
    ASSERT_EQ(second->SetClientSite(&secondSite), S_OK);
    ASSERT_EQ(second->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &secondSite, 0, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(blueIn(first), 0);
    EXPECT_GT(redIn(first), 0);
    suite::testing::CaptureClientArea(first).Save("snapview_two_controls.png");

    // The newer control goes, and its window with it: the older window
    // draws its own data again.
    HWND secondWindow = nullptr;
    IOleInPlaceObject* secondInPlace = nullptr;
    ASSERT_EQ(second->QueryInterface(IID_IOleInPlaceObject,
                                     reinterpret_cast<void**>(&secondInPlace)), S_OK);
    EXPECT_EQ(secondInPlace->GetWindow(&secondWindow), S_OK);
    secondInPlace->Release();
    EXPECT_EQ(second->Release(), 0u);
    EXPECT_FALSE(IsWindow(secondWindow));
    EXPECT_EQ(secondSite.refs, 0);
    EXPECT_GT(blueIn(first), 0);
}

TEST_F(EmbeddingTest, ActivationWithoutAWindowStillPlacesAndShowsAndSucceeds) {
    // A parent window that is gone: the control's window cannot be made.
    DestroyWindow(site.window);
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    DebugOutputCapture trace;
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr), S_OK);
    site.window = nullptr;
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"IOLEOBJ: TImpIOleObject::DoVerb iVerb = -5",
                     "SNAPVIEW: TSnapview::InPlaceActivate",
                     "IIPOBJ: TImpIOleInPlaceObject::SetObjectRects"}));
    EXPECT_CALLS(log, {"QueryInterface(IOleInPlaceSite)", "CanInPlaceActivate",
                       "OnInPlaceActivate", "GetWindow", "GetWindowContext",
                       "ShowObject"});
    HWND none = reinterpret_cast<HWND>(1);
    EXPECT_EQ(inPlace->GetWindow(&none), E_FAIL);
    EXPECT_EQ(none, nullptr);
    // Active for good, window or not.
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr), S_OK);
    EXPECT_CALLS(log, {});
}
