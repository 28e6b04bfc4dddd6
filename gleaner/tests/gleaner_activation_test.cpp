// The control shown in a container: its picture painted in its window, a
// grab repainted wherever it is shown, and the registered verb that grabs.
// (Activation itself is the template library's, tested there.)
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include "gleaner_server_fixture.h"
#include "testing/fake_site.h"
#include "testing/screenshot.h"

using namespace gleaner_test;
using suite::testing::ClipboardScope;
using suite::testing::FakeSite;
using suite::testing::InPlaceSiteKind;

namespace {

class GleanerActivationTest : public GleanerObjectTest {
protected:
    // A control over a 30 by 10 red bitmap, which its window stretches.
    void SetUp() override {
        GleanerTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(CreateControl(RGB(255, 0, 0), 30, 10));
    }
    HWND ControlWindow() { return suite::testing::ControlWindow(control); }
    void Activate(FakeSite& site) {
        ASSERT_EQ(object->SetClientSite(&site), S_OK);
        ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.window, nullptr),
                  S_OK);
        log.Clear();
    }
    void GrabGreen() {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(3, 3, RGB(0, 255, 0))));
        EXPECT_EQ(control->GrabFromClipboard(), S_OK);
    }
    void Deactivate() {
        object->Close(OLECLOSE_NOSAVE);
        ASSERT_EQ(object->SetClientSite(nullptr), S_OK);
        log.Clear();
    }
    suite::testing::CallLog log;
};

}  // namespace

TEST_F(GleanerActivationTest, ItsWindowPaintsThePictureStretchedAndRepaintsAGrab) {
    FakeSite site(log, InPlaceSiteKind::Plain);
    site.position = {10, 10, 90, 50};
    Activate(site);
    HWND window = ControlWindow();
    ASSERT_NE(window, nullptr);
    RedrawWindow(site.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    suite::testing::PumpMessages();
    suite::testing::Image shot = suite::testing::CaptureClientArea(window);
    shot.Save("gleaner_windowed.png");
    ASSERT_EQ(shot.width, 80);
    EXPECT_EQ(shot.Count(0xFF0000u, RECT{0, 0, 80, 40}), 80 * 40);

    GrabGreen();
    UpdateWindow(window);
    suite::testing::PumpMessages();
    shot = suite::testing::CaptureClientArea(window);
    EXPECT_EQ(shot.Count(0x00FF00u, RECT{0, 0, 80, 40}), 80 * 40);
    EXPECT_CALLS(log, {});
    Deactivate();
    EXPECT_EQ(site.refs, 0);
}

TEST_F(GleanerActivationTest, WindowlessItHasAGrabRepaintedThroughTheSite) {
    FakeSite site(log, InPlaceSiteKind::Windowless);
    Activate(site);
    EXPECT_EQ(ControlWindow(), nullptr);
    GrabGreen();
    EXPECT_CALLS(log, {"InvalidateRect(null,TRUE)"});
    Deactivate();
    EXPECT_EQ(site.refs, 0);
}

// Verb 1, which the registration puts on the container's menu, grabs.
TEST_F(GleanerActivationTest, TheRegisteredVerbGrabs) {
    FakeSite site(log, InPlaceSiteKind::Windowless);
    ClipboardScope clipboard;
    ASSERT_TRUE(clipboard.PutUnicodeText(L"text"));
    EXPECT_EQ(object->DoVerb(1, nullptr, &site, 0, site.window, nullptr), E_FAIL);
    ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(3, 5, RGB(0, 255, 0))));
    EXPECT_EQ(object->DoVerb(1, nullptr, &site, 0, site.window, nullptr), S_OK);
    IPictureDisp* disp = nullptr;
    control->get_Picture(&disp);
    IPicture* picture = Query<IPicture>(disp, IID_IPicture);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    EXPECT_LT(width, height);  // the new 3 by 5 bitmap
    picture->Release();
    disp->Release();
    EXPECT_CALLS(log, {});
    EXPECT_EQ(site.refs, 0);
}
