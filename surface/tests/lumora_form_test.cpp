// The demo form's resource TFORM1, read without taking over the display.
#include <gtest/gtest.h>

#include "Lumora.h"
#include "framework/streaming/form_resource.h"

namespace {

TEST(LumoraForm, ResourceHoldsTheFormAndAnExclusive800By600By8ComponentWithItsPicture) {
    TForm1 form(nullptr);  // made directly: nothing reads the resource yet
    ReadFormResource(&form);

    EXPECT_EQ(form.Left(), 200);
    EXPECT_EQ(form.Top(), 111);
    EXPECT_EQ(form.Width(), 696);
    EXPECT_EQ(form.Height(), 480);
    EXPECT_EQ(form.Caption(), "Form1");
    EXPECT_EQ(form.Font()->Height(), -11);
    EXPECT_EQ(form.Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(form.PixelsPerInch(), 96);
    EXPECT_EQ(form.TextHeight(), 13);
    EXPECT_TRUE(form.OnPaint);

    ASSERT_NE(form.DDC, nullptr);
    EXPECT_EQ(form.DDC->Name(), "DDC");
    EXPECT_EQ(form.DDC->OwnerWindow(), form.Handle());
    EXPECT_TRUE(form.DDC->Exclusive());
    EXPECT_EQ(form.DDC->Width(), 800);
    EXPECT_EQ(form.DDC->Height(), 600);
    EXPECT_EQ(form.DDC->ColorDepth(), 8);
    EXPECT_EQ(form.DDC->DirectDrawObject(), nullptr);  // not initialised by reading
    TBitmap* background = form.DDC->GetBackgroundBitmap();
    EXPECT_EQ(background->Width(), 622);
    EXPECT_EQ(background->Height(), 447);
    EXPECT_EQ(background->PixelFormat(), pf8bit);
    EXPECT_EQ(background->Palette().size(), 256u);
}

}  // namespace
