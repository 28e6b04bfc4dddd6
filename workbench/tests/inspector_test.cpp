// The inspector's rows, value lists, sub-properties, dialogs and multiple
// selections, as the package's editors and the stock ones make them.
#include <optional>

#include "corvane_fixture.h"
#include "model/inspector_model.h"

namespace {

using Page = TInspectorPage;

class Inspector : public CorvaneForm {
protected:
    TInspectorRow Row(const char* path, Page page = Page::Properties) {
        int i = Model.Find(page, path);
        if (i < 0) ADD_FAILURE() << "no row " << path;
        return i < 0 ? TInspectorRow{} : Model.Rows(page)[static_cast<size_t>(i)];
    }
    void Set(const char* path, const char* value) { Model.SetValue(Page::Properties, Model.Find(Page::Properties, path), value); }

    TInspectorModel Model{*Document};
};

TEST_F(Inspector, ClockAttributesExpandIntoColorAndShapeAndItsDialogPicksTheShape) {
    Document->Place(Class("TMyClock2"), 40, 40);
    Model.Refresh();
    TInspectorRow attributes = Row("ClockAttributes");
    EXPECT_TRUE(attributes.Attributes.Contains(paSubProperties));
    EXPECT_TRUE(attributes.Attributes.Contains(paDialog));
    EXPECT_EQ(Model.Find(Page::Properties, "ClockAttributes.Shape"), -1) << "collapsed at first";

    Model.ToggleExpanded(Page::Properties, Model.Find(Page::Properties, "ClockAttributes"));
    EXPECT_EQ(Row("ClockAttributes.Color").Depth, 1);
    EXPECT_EQ(Row("ClockAttributes.Shape").Value, "stEllipse");
    std::vector<AnsiString> shapes = Model.Values(Page::Properties, Model.Find(Page::Properties, "ClockAttributes.Shape"));
    EXPECT_EQ(shapes, (std::vector<AnsiString>{"stCircle", "stEllipse", "stRectangle", "stRoundRect", "stRoundSquare", "stSquare"}))
        << "sorted";
    Set("ClockAttributes.Shape", "stCircle");
    EXPECT_EQ(Row("ClockAttributes.Shape").Value, "stCircle") << "expanded still after the refresh";

    // The ellipsis button: the package's dialog, answered as a person
    // would, by picking Square and pressing its OK button.
    TDialogAnswererScope answers([](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        if (!q.Form) return std::nullopt;
        ObjectAs<TComboBox>(q.Form->FindComponent("ComboBox1"))->SetItemIndex(1);
        ObjectAs<TBitBtn>(q.Form->FindComponent("BitBtn2"))->Click();
        return TDialogAnswer{mrNone, "", clBlack};
    });
    AnsiString before = Document->Text();
    Model.Edit(Page::Properties, Model.Find(Page::Properties, "ClockAttributes"));
    EXPECT_EQ(Row("ClockAttributes.Shape").Value, "stSquare");
    EXPECT_TRUE(Document->Modified());
    Document->Undo();
    EXPECT_EQ(Document->Text(), before);
}

TEST_F(Inspector, TextColorOffersColourNamesTakesClRedAndRefusesABadValue) {
    Document->Place(Class("TMyClock"), 40, 40);
    Model.Refresh();
    std::vector<AnsiString> colours = Model.Values(Page::Properties, Model.Find(Page::Properties, "TextColor"));
    EXPECT_NE(std::find(colours.begin(), colours.end(), "clRed"), colours.end());
    Set("TextColor", "clRed");
    EXPECT_EQ(Row("TextColor").Value, "clRed");
    EXPECT_NE(Document->Text().find("TextColor = clRed"), AnsiString::npos);

    AnsiString before = Document->Text();
    Document->Undo();
    Document->Redo();
    ASSERT_EQ(Document->Text(), before);
    Model.Refresh();
    EXPECT_THROW(Set("TextColor", "clNoSuchColour"), EPropertyError);
    EXPECT_THROW(Set("Width", "wide"), EPropertyError);
    EXPECT_EQ(Document->Text(), before) << "a refused value changes nothing";
    Document->Undo();
    EXPECT_EQ(Document->Text().find("TextColor"), AnsiString::npos) << "the refusals left no step to undo";
}

TEST_F(Inspector, SeveralSelectedShowTheirCommonMultiSelectProperties) {
    TComponent* a = Document->Place(Class("TMyClock"), 8, 8);
    TComponent* b = Document->Place(Class("TColorClock"), 80, 8);
    Document->SelectComponents({a, b});
    Model.Refresh();
    for (const TInspectorRow& row : Model.Rows(Page::Properties))
        EXPECT_TRUE(row.Attributes.Contains(paMultiSelect)) << row.Name;
    EXPECT_EQ(Model.Find(Page::Properties, "Name"), -1) << "names are one at a time";
    EXPECT_EQ(Model.Find(Page::Properties, "FaceColor"), -1) << "TMyClock has none";
    EXPECT_EQ(Row("Left").Value, "") << "the two differ";
    Set("TextColor", "clLime");
    Set("Top", "64");
    for (TComponent* c : {a, b}) EXPECT_EQ(ObjectAs<TControl>(c)->Top(), 64) << c->Name();
    EXPECT_EQ(Row("TextColor").Value, "clLime");
}

TEST_F(Inspector, PresetsShowTheirLookAndEventsTheirOwnPage) {
    Document->Place(Class("TBigEdit"), 16, 16);
    Model.Refresh();
    EXPECT_EQ(Row("Width").Value, "250");
    EXPECT_EQ(Row("Color").Value, "clBlue");
    Model.ToggleExpanded(Page::Properties, Model.Find(Page::Properties, "Font"));
    EXPECT_EQ(Row("Font.Name").Value, "Times New Roman");
    EXPECT_EQ(Row("Font.Color").Value, "clYellow");

    EXPECT_GE(Model.Find(Page::Events, "OnChange"), 0);
    EXPECT_EQ(Row("OnChange", Page::Events).Value, "") << "no handler bound";
    for (const TInspectorRow& row : Model.Rows(Page::Properties)) EXPECT_NE(row.Name.rfind("On", 0), 0u) << row.Name;
}

}  // namespace
