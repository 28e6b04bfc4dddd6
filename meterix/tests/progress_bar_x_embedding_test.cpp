// The control in a container: in-place activation puts the progress bar's
// own window into the container's window and deactivation destroys it,
// its focus reaches the control site, ambient changes are read, it draws
// where it is told at its own size, and no null argument gets through.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "meterix_fixture.h"
#include "testing/fake_site.h"
#include "testing/memory_canvas.h"
#include "testing/null_sweep.h"

using namespace meterix_test;
using suite::testing::FakeSite;
using suite::testing::InPlaceSiteKind;

namespace {

class MeterixEmbeddingTest : public MeterixControlTest {
protected:
    void SetUp() override {
        MeterixControlTest::SetUp();
        object = As<IOleObject>(IID_IOleObject);
    }
    void TearDown() override {
        if (object) {
            object->Close(OLECLOSE_NOSAVE);
            object->SetClientSite(nullptr);
            object->Release();
        }
        MeterixControlTest::TearDown();
    }
    HRESULT Activate(FakeSite& site) {
        return object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.window, nullptr);
    }
    RECT PlaceIn(HWND window, HWND parent) {
        RECT r{};
        GetWindowRect(window, &r);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    IOleObject* object = nullptr;
    suite::testing::CallLog log;
};

}  // namespace

TEST_F(MeterixEmbeddingTest, ActivationPutsTheBarInTheContainerAndDeactivationTakesItsWindowAway) {
    FakeSite site(log, InPlaceSiteKind::Plain);
    site.position = {10, 20, 170, 36};
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    ASSERT_EQ(Activate(site), S_OK);
    EXPECT_CALLS(log, {"QueryInterface(IDispatch)", "QueryInterface(IOleInPlaceSiteEx)",
                       "QueryInterface(IOleInPlaceSite)", "CanInPlaceActivate", "OnInPlaceActivate", "GetWindow",
                       "GetWindowContext", "ShowObject"});
    HWND window = suite::testing::ControlWindow(control);
    ASSERT_NE(window, nullptr);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "TProgressBar");
    EXPECT_EQ(GetParent(window), site.window);
    EXPECT_TRUE(IsWindowVisible(window));
    RECT place = PlaceIn(window, site.window);
    EXPECT_EQ(place.left, 10);
    EXPECT_EQ(place.top, 20);
    EXPECT_EQ(place.right, 170);
    EXPECT_EQ(place.bottom, 36);

    auto* inPlace = As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    RECT moved{30, 40, 130, 60};
    EXPECT_EQ(inPlace->SetObjectRects(&moved, &site.clip), S_OK);
    place = PlaceIn(window, site.window);
    EXPECT_EQ(place.left, 30);
    EXPECT_EQ(place.right, 130);
    EXPECT_EQ(place.bottom, 60);

    // The focus hook tells the control site after the bar has handled it.
    SetFocus(window);
    SetFocus(site.window);
    EXPECT_CALLS(log, {"QueryInterface(IOleControlSite)", "OnFocus(TRUE)", "QueryInterface(IOleControlSite)",
                       "OnFocus(FALSE)"});

    // Deactivated, the window goes and the bar keeps its position without
    // it; the next activation makes a new window showing that position.
    ASSERT_EQ(control->put_Position(42), S_OK);
    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_CALLS(log, {"OnInPlaceDeactivate"});
    EXPECT_FALSE(IsWindow(window));
    HWND none = reinterpret_cast<HWND>(1);
    EXPECT_EQ(inPlace->GetWindow(&none), E_FAIL);
    long position = 0;
    EXPECT_EQ(control->get_Position(&position), S_OK);
    EXPECT_EQ(position, 42);
    ASSERT_EQ(Activate(site), S_OK);
    log.Clear();
    window = suite::testing::ControlWindow(control);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), site.window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 42);
    inPlace->Release();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    log.Clear();
    EXPECT_EQ(site.refs, 0);
}

TEST_F(MeterixEmbeddingTest, AmbientChangesAreReadAsTheyConcernTheBar) {
    FakeSite site(log, InPlaceSiteKind::Plain);
    site.SetAmbient(DISPID_AMBIENT_BACKCOLOR, suite::testing::ColourVariant(RGB(1, 2, 3)));
    site.SetAmbient(DISPID_AMBIENT_FORECOLOR, suite::testing::ColourVariant(RGB(200, 0, 0)));
    site.SetAmbientFont(L"Arial", 14, true);
    ASSERT_EQ(object->SetClientSite(&site), S_OK);
    log.Clear();
    auto* oleControl = As<IOleControl>(IID_IOleControl);
    EXPECT_EQ(oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_BACKCOLOR), S_OK);
    EXPECT_CALLS(log, {"Ambient(-701)"});
    EXPECT_EQ(oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_FONT), S_OK);
    EXPECT_CALLS(log, {"Ambient(-704)", "Ambient(-703)"});
    EXPECT_EQ(oleControl->OnAmbientPropertyChange(DISPID_UNKNOWN), S_OK);
    EXPECT_CALLS(log, {"Ambient(-701)", "Ambient(-704)", "Ambient(-703)"});
    EXPECT_EQ(oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE), S_OK);
    EXPECT_CALLS(log, {});
    oleControl->Release();
    // The site lives on this test's stack: the control lets go of it here.
    object->SetClientSite(nullptr);
    EXPECT_EQ(site.refs, 0);
}

TEST_F(MeterixEmbeddingTest, DrawsAtTheBoundsTopLeftAtItsOwnSize) {
    control->put_Position(100);
    suite::testing::MemoryCanvas canvas(220, 60);
    auto* view = As<IViewObject>(IID_IViewObject);
    RECTL bounds{20, 10, 400, 200};
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc, &bounds, nullptr, nullptr, 0),
              S_OK);
    view->Release();
    suite::testing::Image shot = canvas.Read();
    shot.Save("meterix_draw.png");
    const uint32_t white = 0xFFFFFF;
    EXPECT_EQ(shot.At(10, 5), white);       // outside, before the bounds
    EXPECT_NE(shot.At(95, 18), white);      // the full bar, 150 by 16 from (20, 10)
    EXPECT_EQ(shot.At(185, 18), white);     // beyond its width: not stretched
    EXPECT_EQ(shot.At(95, 40), white);      // below its height
}

TEST_F(MeterixEmbeddingTest, NullArgumentsAreRefusedAndChangeNothing) {
    suite::testing::NullSweep sweep;
    sweep.own = {
        {&IID_IProgressBarX, "IProgressBarX::get_Position(value)",
         [](void* on, auto&) { return static_cast<IProgressBarX*>(on)->get_Position(nullptr); }},
        {&IID_IProgressBarX, "IProgressBarX::get_Enabled(value)",
         [](void* on, auto&) { return static_cast<IProgressBarX*>(on)->get_Enabled(nullptr); }},
        {&IID_IProgressBarX, "IProgressBarX::ClassNameIs(value)",
         [](void* on, auto&) { return static_cast<IProgressBarX*>(on)->ClassNameIs(nullptr, nullptr); }},
    };
    EXPECT_EQ(sweep.Run(control), 131);
}
