// The stock editors over two selected components: every value kind read as
// text and set from text on both, bad text refused with nothing changed,
// and each change reported to the designer once.
#include <gtest/gtest.h>

#include <algorithm>

#include "sample_classes.h"

namespace {

struct CountingDesigner : TFormDesigner {
    using TFormDesigner::TFormDesigner;
    void Modified() override {
        ++Changes;
        TFormDesigner::Modified();
    }
    int Changes = 0;
};

class StockEditors : public ::testing::Test {
protected:
    StockEditors() {
        first->SetName("First");
        second->SetName("Second");
        editors = GetPropertyEditors({first, second}, &designer);
    }

    TPropertyEditor& Editor(const AnsiString& name) {
        for (auto& e : editors)
            if (e->GetName() == name) return *e;
        throw std::runtime_error("no editor for " + name);
    }

    static std::vector<AnsiString> Names(const TPropertyEditors& list) {
        std::vector<AnsiString> names;
        for (auto& e : list) names.push_back(e->GetName());
        return names;
    }

    // A refused value changes nothing and tells the designer nothing.
    void ExpectRefused(const AnsiString& property, const AnsiString& text, const AnsiString& message) {
        TPropertyEditor& editor = Editor(property);
        AnsiString before = editor.GetValue();
        int changes = designer.Changes;
        try {
            editor.SetValue(text);
            ADD_FAILURE() << property << " accepted " << text;
        } catch (const EPropertyError& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(editor.GetValue(), before);
        EXPECT_TRUE(editor.AllEqual());
        EXPECT_EQ(designer.Changes, changes);
    }

    TSampleRoot root{nullptr};
    TSampleItem* first = new TSampleItem(&root);
    TSampleItem* second = new TSampleItem(&root);
    CountingDesigner designer{&root};
    TPropertyEditors editors;
};

TEST_F(StockEditors, OfferWhatEveryObjectOfTheSelectionPublishes) {
    EXPECT_EQ(Names(editors), (std::vector<AnsiString>{"Tag", "Count", "Active", "Ratio", "Title", "Mood", "Shade",
                                                       "Styles", "Buddy", "OnPoke", "Font", "Lines", "Picture"}));
    // A name is for one component at a time.
    EXPECT_EQ(Names(GetPropertyEditors({first}, &designer)).front(), "Name");
    EXPECT_EQ(Names(GetPropertyEditors({first, &root}, &designer)), std::vector<AnsiString>{"Tag"});
}

TEST_F(StockEditors, OrdinalValuesByNameOrNumber) {
    Editor("Count").SetValue("42");
    EXPECT_EQ(first->Count + second->Count, 84);
    EXPECT_EQ(designer.Changes, 1);
    ExpectRefused("Count", "4x", "'4x' is not a valid value for Count (Integer)");
    ExpectRefused("Count", "3000000000", "'3000000000' is not a valid value for Count (Integer)");

    TPropertyEditor& active = Editor("Active");
    EXPECT_EQ(active.GetValues(), (std::vector<AnsiString>{"false", "true"}));
    active.SetValue("False");
    EXPECT_FALSE(first->Active || second->Active);
    EXPECT_EQ(active.GetValue(), "false");

    TPropertyEditor& mood = Editor("Mood");
    EXPECT_TRUE(mood.GetAttributes() == (TPropertyAttributes{paMultiSelect, paValueList, paSortList}));
    EXPECT_EQ(mood.GetValues(), (std::vector<AnsiString>{"smCalm", "smCheerful", "smGrumpy"}));
    mood.SetValue("smgrumpy");
    EXPECT_EQ(mood.GetValue(), "smGrumpy");
    EXPECT_EQ(second->Mood, smGrumpy);
    mood.Edit();  // a double-click: the next value, round to the first
    EXPECT_EQ(first->Mood, smCalm);
    ExpectRefused("Mood", "smSad", "'smSad' is not a valid value for Mood (TSampleMood)");

    TPropertyEditor& shade = Editor("Shade");
    EXPECT_EQ(shade.GetValue(), "clBtnFace");
    shade.SetValue("clRed");
    EXPECT_EQ(second->Shade, clRed);
    shade.SetValue("0x00123456");
    EXPECT_EQ(first->Shade, static_cast<TColor>(0x123456));
    EXPECT_EQ(shade.GetValue(), "0x00123456");
    std::vector<AnsiString> colours = shade.GetValues();
    EXPECT_EQ(colours.front(), "clBlack");
    EXPECT_EQ(std::count(colours.begin(), colours.end(), "clSilver"), 1);
    EXPECT_EQ(std::count(colours.begin(), colours.end(), "clLtGray"), 0);  // an alias of clSilver
    ExpectRefused("Shade", "clPink", "'clPink' is not a valid value for Shade (TColor)");

    TPropertyEditor& styles = Editor("Styles");
    styles.SetValue("[fsItalic, fsbold]");
    EXPECT_EQ(styles.GetValue(), "[fsBold, fsItalic]");
    EXPECT_EQ(second->Styles, fsBold | fsItalic);
    ExpectRefused("Styles", "[fsBold, fsHuge]", "'[fsBold, fsHuge]' is not a valid value for Styles (TFontStyles)");
    // One element at a time: each object keeps its other elements.
    second->Styles = fsStrikeOut;
    EXPECT_FALSE(styles.AllEqual());
    TPropertyEditors elements = styles.GetProperties();
    EXPECT_EQ(Names(elements), (std::vector<AnsiString>{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
    elements[2]->SetValue("true");
    EXPECT_EQ(first->Styles, fsBold | fsItalic | fsUnderline);
    EXPECT_EQ(second->Styles, fsUnderline | fsStrikeOut);
    EXPECT_EQ(elements[2]->GetValue(), "true");
    EXPECT_FALSE(elements[0]->AllEqual());
    EXPECT_EQ(designer.Changes, 8);
}

TEST_F(StockEditors, TextAndNumbers) {
    Editor("Title").SetValue("Hello, world");
    EXPECT_EQ(second->Title, "Hello, world");
    EXPECT_EQ(Editor("Title").GetValue(), "Hello, world");

    TPropertyEditor& ratio = Editor("Ratio");
    ratio.SetValue("0.1");
    EXPECT_EQ(first->Ratio, 0.1);
    EXPECT_EQ(ratio.GetValue(), "0.1");
    ratio.SetValue("-2.5e3");
    EXPECT_EQ(second->Ratio, -2500.0);
    ExpectRefused("Ratio", "2.5 apples", "'2.5 apples' is not a valid value for Ratio (Double)");
    ExpectRefused("Ratio", "1e999", "'1e999' is not a valid value for Ratio (Double)");
    first->Ratio = 7;
    EXPECT_FALSE(ratio.AllEqual());
    EXPECT_EQ(designer.Changes, 3);
}

TEST_F(StockEditors, ComponentsAndHandlersByName) {
    TPropertyEditor& buddy = Editor("Buddy");
    EXPECT_EQ(buddy.GetValues(), (std::vector<AnsiString>{"First", "Second"}));
    buddy.SetValue("Second");
    EXPECT_TRUE(first->Buddy == second && second->Buddy == second);
    EXPECT_EQ(buddy.GetValue(), "Second");
    ExpectRefused("Buddy", "Nobody", "'Nobody' is not a valid value for Buddy (TSampleItem)");
    buddy.SetValue("");
    EXPECT_EQ(first->Buddy, nullptr);

    TPropertyEditor& poke = Editor("OnPoke");
    EXPECT_EQ(poke.GetValues(), std::vector<AnsiString>{"FirstPoke"});  // not the mouse handler
    poke.SetValue("FirstPoke");
    second->OnPoke(second);
    EXPECT_EQ(root.Pokes, 1);
    EXPECT_EQ(poke.GetValue(), "FirstPoke");
    ExpectRefused("OnPoke", "MouseHandler", "Handler MouseHandler is a TMouseEvent, not a TNotifyEvent");
    ExpectRefused("OnPoke", "Nothing", "TSampleRoot has no handler Nothing");
    poke.SetValue("");
    EXPECT_FALSE(first->OnPoke);
    EXPECT_EQ(designer.Changes, 4);
}

TEST_F(StockEditors, ObjectsExpandIntoTheirPropertiesAndOpenTheirDialogs) {
    TPropertyEditor& font = Editor("Font");
    EXPECT_EQ(font.GetValue(), "(TFont)");
    EXPECT_EQ(reinterpret_cast<TFont*>(static_cast<intptr_t>(font.GetOrdValue())), first->Font());
    EXPECT_TRUE(font.GetAttributes().Contains(paDialog));
    TPropertyEditors fontProperties = font.GetProperties();
    for (auto& p : fontProperties)
        if (p->GetName() == "Color") p->SetValue("clRed");
    EXPECT_TRUE(first->Font()->Color() == clRed && second->Font()->Color() == clRed);
    EXPECT_EQ(Editor("Lines").GetValue(), "(TStrings)");
    EXPECT_TRUE(font.AllEqual());  // each its own font, both there
    ExpectRefused("Lines", "abc", "Lines cannot be set to 'abc'");

    TEditorDialogs platform = EditorDialogs();
    EditorDialogs().PickFont = [](TFont& chosen) {
        EXPECT_EQ(chosen.Color(), clRed);  // the dialog opens on the first object's font
        chosen.SetName("Arial");
        return true;
    };
    EditorDialogs().PickColor = [](TColor& colour) {
        colour = clLime;
        return true;
    };
    font.Edit();
    Editor("Shade").Edit();
    EditorDialogs() = platform;
    EXPECT_TRUE(first->Font()->Name() == "Arial" && second->Font()->Name() == "Arial");
    EXPECT_EQ(first->Font()->Color(), clRed);
    EXPECT_TRUE(first->Shade == clLime && second->Shade == clLime);
    EXPECT_EQ(designer.Changes, 3);
}

}  // namespace
