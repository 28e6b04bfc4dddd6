// In-place activation as containers do it (windowless where the site
// allows it, in a child window of the container otherwise), the verbs and
// quick activation, through the stock embedding interfaces.
#include <cstring>

#include "stock_control.h"
#include "testing/fake_property_page.h"
#include "testing/fake_sinks.h"
#include "testing/memory_canvas.h"
#include "testing/message_boxes.h"
#include "testing/screenshot.h"

using suite::testing::FakeSite;
using suite::testing::InPlaceSiteKind;

namespace {

class StockActivationTest : public StockTest {
protected:
    HWND ControlWindow() { return suite::testing::ControlWindow(control); }
    HRESULT Verb(LONG verb, FakeSite& site) {
        return object->DoVerb(verb, nullptr, &site, 0, site.window, nullptr);
    }
};

}  // namespace

TEST_F(StockActivationTest, WindowlessSiteGetsAWindowlessControlThatPaintsWhereItIsPlaced) {
    FakeSite site(log, InPlaceSiteKind::Windowless);
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    EXPECT_EQ(site.refs, 2);  // the site and its ambient dispatch
    EXPECT_CALLS(log, {"QueryInterface(IDispatch)"});

    ASSERT_EQ(Verb(OLEIVERB_INPLACEACTIVATE, site), S_OK);
    EXPECT_CALLS(log, {"QueryInterface(IOleInPlaceSiteWindowless)", "CanWindowlessActivate",
                       "OnInPlaceActivateEx(1)", "GetWindow", "GetWindowContext", "ShowObject"});
    EXPECT_EQ(ControlWindow(), nullptr);
    EXPECT_EQ(site.frame.refs, 0);

    // A change of the view is repainted through the site.
    IStockControl* stock = Get<IStockControl>(IID_IStockControl);
    BSTR text = SysAllocString(L"new");
    EXPECT_EQ(stock->put_Text(text), S_OK);
    SysFreeString(text);
    stock->Release();
    EXPECT_CALLS(log, {"InvalidateRect(null,TRUE)"});

    // Drawn without bounds, and through a forwarded paint message, it
    // paints where the site placed it.
    suite::testing::MemoryCanvas canvas(200, 100);
    IViewObject* view = Get<IViewObject>(IID_IViewObject);
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc, nullptr,
                         nullptr, nullptr, 0),
              S_OK);
    view->Release();
    RECT placed = site.position;
    EXPECT_EQ(canvas.Read().Count(TStockControl::kFill, placed),
              (placed.right - placed.left) * (placed.bottom - placed.top));
    suite::testing::MemoryCanvas forwarded(200, 100);
    auto* windowless = Get<IOleInPlaceObjectWindowless>(IID_IOleInPlaceObjectWindowless);
    LRESULT result = 1;
    EXPECT_EQ(windowless->OnWindowMessage(WM_PAINT, reinterpret_cast<WPARAM>(forwarded.dc), 0,
                                          &result),
              S_OK);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(forwarded.Read().Count(TStockControl::kFill, placed),
              (placed.right - placed.left) * (placed.bottom - placed.top));
    EXPECT_EQ(windowless->InPlaceDeactivate(), S_OK);
    windowless->Release();
    EXPECT_CALLS(log, {"OnInPlaceDeactivateEx(TRUE)"});
    ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(site.refs, 0);
}

TEST_F(StockActivationTest, PlainSiteGetsAChildWindowThatPaints) {
    FakeSite site(log, InPlaceSiteKind::Plain);
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    ASSERT_EQ(Verb(OLEIVERB_INPLACEACTIVATE, site), S_OK);
    EXPECT_CALLS(log, {"QueryInterface(IDispatch)", "QueryInterface(IOleInPlaceSiteWindowless)",
                       "QueryInterface(IOleInPlaceSiteEx)", "QueryInterface(IOleInPlaceSite)",
                       "CanInPlaceActivate", "OnInPlaceActivate", "GetWindow", "GetWindowContext",
                       "ShowObject"});
    HWND window = ControlWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), site.window);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    EXPECT_EQ(std::strncmp(name, "TPL:", 4), 0) << name;
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW), CS_HREDRAW | CS_VREDRAW);
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, site.window, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_TRUE(EqualRect(&rect, &site.position));

    RedrawWindow(site.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    suite::testing::PumpMessages();
    suite::testing::Image shot = suite::testing::CaptureClientArea(window);
    EXPECT_EQ(shot.Count(0x008000u, RECT{0, 0, shot.width, shot.height}), shot.width * shot.height);

    // A partly covered window is cut to its visible part, and whole again
    // once uncovered; made whole, it has no region at all.
    IOleInPlaceObject* inPlace = Get<IOleInPlaceObject>(IID_IOleInPlaceObject);
    RECT box;
    EXPECT_EQ(GetWindowRgnBox(window, &box), ERROR);
    RECT half = site.position;
    half.right -= (half.right - half.left) / 2;
    EXPECT_EQ(inPlace->SetObjectRects(&site.position, &half), S_OK);
    EXPECT_EQ(GetWindowRgnBox(window, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, half.right - half.left);
    EXPECT_EQ(inPlace->SetObjectRects(&site.position, &site.clip), S_OK);
    EXPECT_EQ(GetWindowRgnBox(window, &box), ERROR);

    // Hiding keeps the window; deactivation destroys it.
    EXPECT_EQ(Verb(OLEIVERB_HIDE, site), S_OK);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    inPlace->Release();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_CALLS(log, {"OnInPlaceDeactivate"});
    ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(site.refs, 0);
}

TEST_F(StockActivationTest, UIActivationMakesItTheFramesActiveObjectUntilItsEnd) {
    FakeSite site(log, InPlaceSiteKind::Plain);
    object->SetClientSite(&site);
    log.Clear();
    ASSERT_EQ(Verb(OLEIVERB_UIACTIVATE, site), S_OK);
    EXPECT_CALLS(log, {"QueryInterface(IOleInPlaceSiteWindowless)", "QueryInterface(IOleInPlaceSiteEx)",
                       "QueryInterface(IOleInPlaceSite)", "CanInPlaceActivate", "OnInPlaceActivate",
                       "GetWindow", "GetWindowContext", "OnUIActivate",
                       "Frame::SetActiveObject(object)", "Frame::SetBorderSpace(null)", "ShowObject"});
    HWND window = ControlWindow();
    ASSERT_NE(window, nullptr);
    EndControl();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(site.refs, 0);
    EXPECT_EQ(site.frame.refs, 0);
    log.Clear();
}

TEST_F(StockActivationTest, NoWindowMeansNoActivation) {
    FakeSite site(log, InPlaceSiteKind::Plain);
    DestroyWindow(site.window);  // the control's window cannot be made in it
    object->SetClientSite(&site);
    log.Clear();
    EXPECT_EQ(Verb(OLEIVERB_INPLACEACTIVATE, site), E_FAIL);
    EXPECT_CALLS(log, {"QueryInterface(IOleInPlaceSiteWindowless)", "QueryInterface(IOleInPlaceSiteEx)",
                       "QueryInterface(IOleInPlaceSite)", "CanInPlaceActivate", "OnInPlaceActivate",
                       "GetWindow", "GetWindowContext", "OnInPlaceDeactivate"});
    object->SetClientSite(nullptr);
    EXPECT_CALLS(log, {});
    EXPECT_EQ(site.refs, 0);
    EXPECT_EQ(site.frame.refs, 0);
}

TEST_F(StockActivationTest, AnotherSiteIsNegotiatedAfresh) {
    FakeSite windowless(log, InPlaceSiteKind::Windowless);
    object->SetClientSite(&windowless);
    ASSERT_EQ(Verb(OLEIVERB_INPLACEACTIVATE, windowless), S_OK);
    EXPECT_EQ(ControlWindow(), nullptr);

    // Moving to a site without windowless support leaves the old one first.
    FakeSite plain(log, InPlaceSiteKind::Ex);
    log.Clear();
    object->SetClientSite(&plain);
    EXPECT_CALLS(log, {"OnInPlaceDeactivateEx(TRUE)", "QueryInterface(IDispatch)"});
    EXPECT_EQ(windowless.refs, 0);
    ASSERT_EQ(Verb(OLEIVERB_INPLACEACTIVATE, plain), S_OK);
    EXPECT_CALLS(log, {"QueryInterface(IOleInPlaceSiteWindowless)", "QueryInterface(IOleInPlaceSiteEx)",
                       "OnInPlaceActivateEx(0)", "GetWindow", "GetWindowContext", "ShowObject"});
    EXPECT_NE(ControlWindow(), nullptr);
    object->SetClientSite(nullptr);
    EXPECT_EQ(ControlWindow(), nullptr);
    EXPECT_EQ(plain.refs, 0);
    log.Clear();
}

// Properties (-7), and the primary verb in design mode, show the property
// frame over the pages of the property map; show (-1) activates in place,
// and so does the primary verb in run mode, which also UI-activates.
TEST_F(StockActivationTest, VerbsFollowTheirTable) {
    suite::testing::CallLog pageLog;
    suite::testing::FakePropertyPage page(pageLog, control);
    suite::testing::ClassRegistration pageClass(CLSID_StockControlPage, page);
    FakeSite site(log, InPlaceSiteKind::Windowless);
    object->SetClientSite(&site);
    EXPECT_EQ(Verb(OLEIVERB_OPEN, site), S_OK);
    EXPECT_EQ(Verb(OLEIVERB_DISCARDUNDOSTATE, site), S_OK);
    EXPECT_EQ(Verb(7, site), E_NOTIMPL);
    EXPECT_EQ(Verb(1, site), E_NOTIMPL);
    EXPECT_CALLS(log, {"QueryInterface(IDispatch)"});

    {
        suite::testing::MessageBoxAnswerer frames(GetCurrentProcessId());
        EXPECT_EQ(Verb(OLEIVERB_PROPERTIES, site), S_OK);
        site.SetAmbient(DISPID_AMBIENT_USERMODE, suite::testing::BoolVariant(false));
        EXPECT_EQ(Verb(OLEIVERB_PRIMARY, site), S_OK);
        EXPECT_EQ(frames.Seen().size(), 2u);  // each showed the frame, and went on when it closed
    }
    EXPECT_CALLS(log, {"Ambient(-709)"});
    EXPECT_EQ(page.framesShown, 2);
    EXPECT_TRUE(page.sawControl);
    EXPECT_EQ(page.refs, 0);
    EXPECT_EQ(ControlWindow(), nullptr);

    EXPECT_EQ(Verb(OLEIVERB_SHOW, site), S_OK);
    EXPECT_CALLS(log, {"QueryInterface(IOleInPlaceSiteWindowless)", "CanWindowlessActivate",
                       "OnInPlaceActivateEx(1)", "GetWindow", "GetWindowContext", "ShowObject"});
    site.SetAmbient(DISPID_AMBIENT_USERMODE, suite::testing::BoolVariant(true));
    EXPECT_EQ(Verb(OLEIVERB_PRIMARY, site), S_OK);
    EXPECT_CALLS(log, {"Ambient(-709)", "GetWindow", "GetWindowContext", "OnUIActivate",
                       "Frame::SetActiveObject(object)", "Frame::SetBorderSpace(null)",
                       "ShowObject"});
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    log.Clear();
    EXPECT_EQ(site.refs, 0);
}

TEST_F(StockActivationTest, QuickActivationConnectsTheContainersSinks) {
    FakeSite site(log, InPlaceSiteKind::Windowless);
    suite::testing::FakePropertySink propertySink(log);
    suite::testing::FakeEventSink eventSink(log, DIID_DIStockControlEvents);
    suite::testing::FakeAdviseSink adviseSink(log);
    QACONTAINER qaContainer = {};
    qaContainer.cbSize = sizeof qaContainer;
    qaContainer.pClientSite = &site;
    qaContainer.pPropertyNotifySink = &propertySink;
    qaContainer.pUnkEventSink = &eventSink;
    qaContainer.pAdviseSink = &adviseSink;
    QACONTROL qaControl = {};
    qaControl.cbSize = sizeof qaControl;
    IQuickActivate* quick = Get<IQuickActivate>(IID_IQuickActivate);
    ASSERT_EQ(quick->QuickActivate(&qaContainer, &qaControl), S_OK);
    EXPECT_NE(qaControl.dwEventCookie, 0u);
    EXPECT_NE(qaControl.dwPropNotifyCookie, 0u);
    EXPECT_EQ(propertySink.refs, 1);
    EXPECT_EQ(eventSink.refs, 1);
    EXPECT_EQ(adviseSink.refs, 1);
    EXPECT_CALLS(log, {"QueryInterface(IDispatch)", "QueryInterface(events)"});

    SIZEL size = {2540, 1270};
    EXPECT_EQ(quick->SetContentExtent(&size), S_OK);
    SIZEL read = {};
    EXPECT_EQ(quick->GetContentExtent(&read), S_OK);
    EXPECT_EQ(read.cx, 2540);
    EXPECT_EQ(read.cy, 1270);
    QACONTROL tooSmall = {};
    tooSmall.cbSize = sizeof tooSmall - 4;
    EXPECT_EQ(quick->QuickActivate(&qaContainer, &tooSmall), E_INVALIDARG);
    quick->Release();

    // The control's last release lets go of every sink and the site.
    EndControl();
    EXPECT_EQ(site.refs, 0);
    EXPECT_EQ(propertySink.refs, 0);
    EXPECT_EQ(eventSink.refs, 0);
    EXPECT_EQ(adviseSink.refs, 0);
}
