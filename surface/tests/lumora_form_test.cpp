// The demo form made inside the test program, on a Wine virtual desktop of
// its own: what its resource gives the form and its component, and that
// the display is taken before the form is first shown.
#include <gtest/gtest.h>

#include "Lumora.h"
#include "framework/forms/application.h"
#include "testing/message_boxes.h"
#include "virtual_desktop.h"

using namespace surface_testing;
using suite::testing::MessageBoxAnswerer;

namespace {

TEST(LumoraForm, TheResourceSetsUpFormAndComponentWhichTakesTheDisplayBeforeTheFormShows) {
    if (!InsideTestDesktop()) {
        EXPECT_EQ(RunThisTestInDesktop(), 0u);
        return;
    }
    const DEVMODEA before = CurrentMode();
    MessageBoxAnswerer boxes(GetCurrentProcessId());
    Application->Initialize();
    Application->CreateForm(Form1);
    ASSERT_NE(Form1, nullptr);
    EXPECT_EQ(Application->MainForm(), Form1);

    // (Its stored bounds do not survive: the platform stretches the window
    // of an exclusive full-screen program over the screen.)
    EXPECT_EQ(Form1->Caption(), "Form1");
    EXPECT_EQ(Form1->Font()->Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(Form1->Font()->Color(), clWindowText);
    EXPECT_EQ(Form1->Font()->Height(), -11);
    EXPECT_EQ(Form1->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(Form1->Font()->Style(), TFontStyles{});
    EXPECT_EQ(Form1->PixelsPerInch(), 96);
    EXPECT_EQ(Form1->TextHeight(), 13);
    EXPECT_EQ(Form1->OnPaint, TNotifyEvent(Form1, &TForm1::FormPaint));

    DirectDrawComponent* ddc = Form1->DDC;
    ASSERT_NE(ddc, nullptr);
    EXPECT_EQ(ddc->Name(), "DDC");
    EXPECT_EQ(ddc->Owner(), Form1);
    EXPECT_EQ(ddc->OwnerWindow(), Form1->Handle());
    EXPECT_TRUE(ddc->Exclusive());
    EXPECT_EQ(ddc->Width(), 800);
    EXPECT_EQ(ddc->Height(), 600);
    EXPECT_EQ(ddc->ColorDepth(), 8);
    EXPECT_TRUE(ddc->DesignInfo().Placed);
    EXPECT_EQ(ddc->DesignInfo().Left, 136);
    EXPECT_EQ(ddc->DesignInfo().Top, 112);
    TBitmap* background = ddc->GetBackgroundBitmap();
    EXPECT_EQ(background->Width(), 622);
    EXPECT_EQ(background->Height(), 447);
    EXPECT_EQ(background->PixelFormat(), pf8bit);
    EXPECT_EQ(background->Palette().size(), 256u);

    // Taken while the form was made, not when it first shows.
    EXPECT_FALSE(Form1->Visible());
    EXPECT_NE(ddc->PrimarySurface(), nullptr);
    const DEVMODEA during = CurrentMode();
    EXPECT_EQ(during.dmPelsWidth, 800u);
    EXPECT_EQ(during.dmPelsHeight, 600u);
    EXPECT_EQ(during.dmBitsPerPel, 8u);
    EXPECT_TRUE(boxes.Seen().empty());

    delete Form1;
    Form1 = nullptr;
    EXPECT_EQ(CurrentMode().dmPelsWidth, before.dmPelsWidth);
    EXPECT_EQ(CurrentMode().dmPelsHeight, before.dmPelsHeight);
}

}  // namespace
