// What a form designer gives editors: components made on the form with
// unique names, and the form changed each time.
#include <gtest/gtest.h>

#include "sample_classes.h"

namespace {

TEST(FormDesigner, MakesComponentsWithUniqueNamesAndMarksTheFormModified) {
    TForm form(nullptr);
    form.SetDesigning(true);
    TFormDesigner designer(&form);
    new TSampleItem(&form);
    form.Components(0)->SetName("SampleItem1");

    TComponent* item = designer.CreateComponent(TSampleItem::StaticClass(), nullptr, 30, 40);
    EXPECT_EQ(item->Name(), "SampleItem2");
    EXPECT_EQ(item->Owner(), &form);
    EXPECT_TRUE(item->HasState(csDesigning));
    EXPECT_TRUE(item->DesignInfo().Placed && item->DesignInfo().Left == 30 && item->DesignInfo().Top == 40);
    EXPECT_TRUE(designer.IsModified());

    designer.ClearModified();
    auto bevel = ObjectAs<TBevel>(designer.CreateComponent(TBevel::StaticClass(), item, 5, 6, 70));
    ASSERT_NE(bevel, nullptr);
    EXPECT_EQ(bevel->Name(), "Bevel1");
    EXPECT_EQ(bevel->Parent(), &form);  // an item cannot hold controls
    EXPECT_EQ((std::vector{bevel->Left(), bevel->Top(), bevel->Width(), bevel->Height()}),
              (std::vector{5, 6, 70, TBevel(nullptr).Height()}));
    EXPECT_TRUE(designer.IsModified());

    EXPECT_EQ(designer.UniqueName("TForm"), "Form1");
    EXPECT_THROW(designer.CreateComponent(TFont::StaticClass(), nullptr, 0, 0), EComponentError);
    EXPECT_EQ(form.ComponentCount(), 3);
}

}  // namespace
