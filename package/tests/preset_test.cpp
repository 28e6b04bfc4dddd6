// The preset edits, labels and panels: what their constructors set, the
// empty panel's caption, and the radio panel's buttons through a form.
#include <gtest/gtest.h>

#include <memory>

#include "Corvan1/Corvan1.h"
#include "Corvan2/Corvan2.h"

namespace {

void ExpectSmallPreset(TControl& control, TFontStyles style, int size) {
    SCOPED_TRACE(control.ClassName());
    EXPECT_EQ(control.Color(), clBlue);
    EXPECT_EQ(control.Font()->Color(), clYellow);
    EXPECT_EQ(control.Font()->Name(), "Times New Roman");
    EXPECT_EQ(control.Font()->Size(), size);
    EXPECT_EQ(control.Font()->Style(), style);
}

TEST(Presets, EditsAndLabelsComeStyled) {
    TForm form(nullptr);
    TEdit plain(&form);
    TSmallEdit small(&form);
    TSmallEditTwo smallTwo(&form);
    TBigEdit big(&form);
    TSmallLabel smallLabel(&form);
    TBigLabel bigLabel(&form);
    ExpectSmallPreset(small, fsBold | fsItalic, 12);
    ExpectSmallPreset(smallTwo, fsBold | fsItalic, 12);
    ExpectSmallPreset(big, fsBold | fsItalic, 24);
    ExpectSmallPreset(smallLabel, fsBold, 12);
    ExpectSmallPreset(bigLabel, fsBold, 24);
    EXPECT_EQ(big.Width(), 250);
    EXPECT_EQ(big.Height(), plain.Height()) << "the base edit's height";
    EXPECT_EQ(small.Width(), plain.Width());
    EXPECT_NE(&small.ClassType(), &smallTwo.ClassType()) << "two classes with one preset";
    EXPECT_TRUE(big.InheritsFrom(TSmallEditTwo::StaticClass()));
    EXPECT_TRUE(bigLabel.InheritsFrom(TSmallLabel::StaticClass()));
}

TEST(Presets, AnEmptyPanelShowsNoCaptionOnceParentedOrLoaded) {
    TForm form(nullptr);
    form.SetName("Form");
    TEmptyPanel* panel = new TEmptyPanel(&form);
    panel->SetName("EmptyPanel1");
    panel->SetCaption("EmptyPanel1");
    EXPECT_EQ(panel->Caption(), "EmptyPanel1") << "set in code, it shows until the panel is parented";
    panel->SetParent(&form);
    EXPECT_EQ(panel->Caption(), "");
    panel->SetCaption("Later");
    EXPECT_EQ(panel->Caption(), "Later");

    RegisterClasses({&TEmptyPanel::StaticClass()});
    TForm loaded(nullptr);
    loaded.SetName("Form");
    ReadFormText(&loaded, "TForm Form {\n TEmptyPanel EmptyPanel1 {\n  Caption = \"Stored\"\n }\n}\n", "PANELS");
    auto read = ObjectAs<TEmptyPanel>(loaded.FindComponent("EmptyPanel1"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Caption(), "") << "a stored caption never shows after loading";
}

TEST(Presets, TheRadioPanelMakesItsTwoButtonsAnewAndNeverStoresThem) {
    TForm form(nullptr);
    form.SetName("Form");
    auto panel = new TRadio2Panel(&form);
    panel->SetName("Radio2Panel1");
    panel->SetParent(&form);
    EXPECT_EQ(panel->Width(), 175);
    EXPECT_EQ(panel->Height(), 60);
    EXPECT_EQ(panel->Caption(), "");
    ASSERT_EQ(panel->ControlCount(), 2);
    struct Expected {
        const char* caption;
        int left, top;
    };
    const Expected expected[] = {{"Radio1", 20, 10}, {"Radio2", 20, 32}};
    for (int i = 0; i < 2; ++i) {
        auto radio = ObjectAs<TRadioButton>(panel->Controls(i));
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->Caption(), expected[i].caption);
        EXPECT_EQ(radio->Left(), expected[i].left);
        EXPECT_EQ(radio->Top(), expected[i].top);
        EXPECT_EQ(radio->Owner(), panel);
        EXPECT_EQ(radio->Name(), "");
        EXPECT_FALSE(radio->Checked());
        EXPECT_TRUE(radio->Visible());
    }
    EXPECT_EQ(panel->Radio1(), panel->Controls(0));
    panel->Radio2()->SetChecked(true);

    AnsiString text = WriteFormText(&form);
    EXPECT_EQ(text.find("TRadioButton"), AnsiString::npos) << text;
    RegisterClasses({&TRadio2Panel::StaticClass()});
    TForm loaded(nullptr);
    loaded.SetName("Form");
    ReadFormText(&loaded, text, "RADIOS");
    auto read = ObjectAs<TRadio2Panel>(loaded.FindComponent("Radio2Panel1"));
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->ControlCount(), 2) << "the constructor's two, no more";
    EXPECT_FALSE(read->Radio1()->Checked());
    EXPECT_FALSE(read->Radio2()->Checked());
    EXPECT_EQ(read->Caption(), "");
}

TEST(Presets, EachUnitPutsItsClassesOnThePageInOrder) {
    UnRegisterPalettePage("Corvan");
    Corvan1::Register();
    Corvan2::Register();
    EXPECT_EQ(PalettePage("Corvan"),
              (std::vector<const TClassInfo*>{&TSmallEdit::StaticClass(), &TSmallEditTwo::StaticClass(),
                                              &TBigEdit::StaticClass(), &TSmallLabel::StaticClass(),
                                              &TBigLabel::StaticClass(), &TEmptyPanel::StaticClass(),
                                              &TRadio2Panel::StaticClass()}));
    UnRegisterPalettePage("Corvan");
}

}  // namespace
