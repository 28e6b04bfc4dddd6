// The clocks' design-time editors as a form designer drives them, with the
// dialogs answered through the framework's dialog seam.
#include <functional>
#include <vector>

#include "ClockAttributes/ClockAttributes.h"
#include "ClockEditor/ClockEditor.h"
#include "clock_fixture.h"

namespace {

// A clock that publishes its attributes a second time, as "Colors": the
// one kind of property TColorNameProperty is registered for.
class TNamedClock : public TMyClock {
    FRAME_CLASS(TNamedClock, TMyClock)
public:
    using TMyClock::TMyClock;
};

const TClassInfo& TNamedClock::StaticClass() {
    static const TClassInfo info = TClassBuilder<TNamedClock>::Creatable("TNamedClock", TMyClock::StaticClass(), [](auto& c) {
        c.Property("Colors", &TMyClock::ClockAttributes, &TMyClock::SetClockAttributes);
    });
    return info;
}

class ClockEditors : public ClockTest {
protected:
    void SetUp() override {
        ClockTest::SetUp();
        static bool registered = false;
        if (!registered) {
            Clock1::Register();
            Clock2::Register();
            registered = true;
        }
        Designer = std::make_unique<TFormDesigner>(Form.get());
    }
    void TearDown() override {
        Answers.reset();
        Designer.reset();
        ClockTest::TearDown();
    }
    // Answers every dialog with answer(question), keeping the questions.
    void Answer(std::function<std::optional<TDialogAnswer>(const TDialogQuestion&)> answer) {
        Answers.reset();  // the answerer before comes back first, then this one replaces it
        Answers = std::make_unique<TDialogAnswererScope>([this, answer](const TDialogQuestion& q) {
            Asked.push_back(q);
            return answer(q);
        });
    }
    std::unique_ptr<TPropertyEditor> EditorOf(std::vector<TPersistent*> selection, const char* name) {
        for (auto& editor : GetPropertyEditors(selection, Designer.get()))
            if (editor->GetName() == name) return std::move(editor);
        return nullptr;
    }
    static std::optional<TDialogAnswer> Colour(TColor colour) { return TDialogAnswer{mrOk, "", colour}; }

    std::unique_ptr<TFormDesigner> Designer;
    std::unique_ptr<TDialogAnswererScope> Answers;
    std::vector<TDialogQuestion> Asked;
};

TEST_F(ClockEditors, FaceColourFromTheColourDialogWithoutTellingTheDesigner) {
    auto clock = Place<TColorClock>(100, 100, stEllipse);
    int applicationComponents = Application->ComponentCount();
    Answer([](const TDialogQuestion&) { return Colour(clLime); });
    GetComponentEditor(clock, Designer.get())->Edit();
    EXPECT_EQ(clock->FaceColor(), clLime);
    Answer([](const TDialogQuestion&) { return TDialogAnswer{mrCancel, "", clBlack}; });
    GetComponentEditor(clock, Designer.get())->Edit();
    EXPECT_EQ(clock->FaceColor(), clLime) << "a cancelled dialog changes nothing";
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[0].Kind, TDialogKind::Color);
    EXPECT_FALSE(Designer->IsModified());
    EXPECT_EQ(Application->ComponentCount(), applicationComponents) << "each colour dialog is freed after use";

    auto plain = Place<TMyClock>(100, 100, stEllipse);
    GetComponentEditor(plain, Designer.get())->Edit();
    EXPECT_EQ(Asked.size(), 2u) << "a plain clock has no editor of its own";
}

TEST_F(ClockEditors, TextColourAsTypedTextAlwaysStartingFromBlack) {
    auto clock = Place<TMyClock>(100, 100, stEllipse);
    auto other = Place<TColorClock>(100, 100, stEllipse);
    clock->SetTextColor(clRed);
    auto editor = EditorOf({clock, other}, "TextColor");
    ASSERT_NE(editor, nullptr) << "the editor works on several clocks at once";
    EXPECT_NE(dynamic_cast<TTextColorProperty*>(editor.get()), nullptr);
    EXPECT_EQ(editor->GetAttributes(), (TPropertyAttributes{paValueList, paDialog, paMultiSelect}));
    EXPECT_FALSE(editor->GetValues().empty());

    Answer([](const TDialogQuestion& q) { return TDialogAnswer{mrOk, q.Value, clBlack}; });  // OK on what is offered
    editor->Edit();
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Kind, TDialogKind::Input);
    EXPECT_EQ(Asked[0].Caption, "New Color");
    EXPECT_EQ(Asked[0].Text, "Enter Color");
    EXPECT_EQ(Asked[0].Value, "clBlack");
    EXPECT_EQ(clock->TextColor(), clBlack);
    EXPECT_EQ(other->TextColor(), clBlack);

    Answer([](const TDialogQuestion&) { return TDialogAnswer{mrOk, "0x00FF8000", clBlack}; });
    editor->Edit();
    EXPECT_EQ(clock->TextColor(), static_cast<TColor>(0x00FF8000));
    Answer([](const TDialogQuestion&) { return TDialogAnswer{mrCancel, "clWhite", clBlack}; });
    editor->Edit();
    EXPECT_EQ(clock->TextColor(), static_cast<TColor>(0x00FF8000));
    EXPECT_TRUE(Designer->IsModified());
}

TEST_F(ClockEditors, ColorsNamesAnAttributePropertyOnlyWhereOneIsPublished) {
    auto clock = Place<TMyClock>(100, 100, stEllipse);
    auto attributes = EditorOf({clock}, "ClockAttributes");
    ASSERT_NE(attributes, nullptr);
    EXPECT_EQ(dynamic_cast<TColorNameProperty*>(attributes.get()), nullptr) << "the stock class editor";
    EXPECT_EQ(attributes->GetProperties().size(), 2u);

    TNamedClock named(Form.get());
    auto colors = EditorOf({&named}, "Colors");
    ASSERT_NE(colors, nullptr);
    EXPECT_NE(dynamic_cast<TColorNameProperty*>(colors.get()), nullptr);
    EXPECT_EQ(colors->GetAttributes(), (TPropertyAttributes{paSubProperties}));
    EXPECT_EQ(colors->GetProperties().size(), 2u);
}

TEST_F(ClockEditors, TheAttributesDialogShowsTheShapeAndOkSetsThePick) {
    auto clock = Place<TMyClock2>(100, 100, stCircle);
    auto editor = EditorOf({clock}, "ClockAttributes");
    ASSERT_NE(editor, nullptr);
    EXPECT_NE(dynamic_cast<TClockAttributeProperty*>(editor.get()), nullptr);
    EXPECT_EQ(editor->GetAttributes(), (TPropertyAttributes{paSubProperties, paDialog}));
    EXPECT_EQ(EditorOf({clock, Place<TMyClock2>(100, 100, stCircle)}, "ClockAttributes"), nullptr)
        << "one clock at a time";

    // OK at once: the shape stays, and the designer hears of a change.
    Answer([](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        auto dialog = ObjectAs<TClockAttributesDialog>(q.Form);
        if (!dialog) return std::nullopt;
        EXPECT_EQ(dialog->ComboBox1->ItemIndex(), stCircle);
        EXPECT_EQ(dialog->ComboBox1->Text(), "Circle");
        dialog->BitBtn2->Click();
        return TDialogAnswer{mrNone, "", clBlack};
    });
    editor->Edit();
    EXPECT_EQ(clock->ClockAttributes()->Shape(), stCircle);
    EXPECT_TRUE(Designer->IsModified());

    // Square, then the window's close button: nothing changes, but the
    // designer hears of a change all the same.
    Designer->ClearModified();
    Answer([](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        ObjectAs<TClockAttributesDialog>(q.Form)->ComboBox1->SetItemIndex(stSquare);
        return TDialogAnswer{mrCancel, "", clBlack};
    });
    editor->Edit();
    EXPECT_EQ(clock->ClockAttributes()->Shape(), stCircle);
    EXPECT_TRUE(Designer->IsModified());

    // Square and OK.
    Answer([](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        auto dialog = ObjectAs<TClockAttributesDialog>(q.Form);
        dialog->ComboBox1->SetItemIndex(stSquare);
        dialog->BitBtn2->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
        return TDialogAnswer{mrNone, "", clBlack};
    });
    editor->Edit();
    EXPECT_EQ(clock->ClockAttributes()->Shape(), stSquare);
    ValidateRect(clock->Handle(), nullptr);

    // Typed text that is no shape, and OK: the shape stays one of the six.
    Answer([](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        auto dialog = ObjectAs<TClockAttributesDialog>(q.Form);
        dialog->ComboBox1->SetComboText("Hexagon");
        EXPECT_EQ(dialog->ComboBox1->ItemIndex(), -1);
        dialog->BitBtn2->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk) << "OK still closes";
        return TDialogAnswer{mrNone, "", clBlack};
    });
    editor->Edit();
    EXPECT_EQ(clock->ClockAttributes()->Shape(), stSquare);
}

TEST_F(ClockEditors, GetColorsKeepsItsColourHoweverTheDialogCloses) {
    auto clock = Place<TMyClock2>(100, 100, stEllipse);
    auto editor = EditorOf({clock}, "ClockAttributes");
    Answer([](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        if (q.Kind == TDialogKind::Color) return Colour(clLime);
        ObjectAs<TClockAttributesDialog>(q.Form)->GetColorsBtn->Click();
        return TDialogAnswer{mrCancel, "", clBlack};
    });
    editor->Edit();
    EXPECT_EQ(clock->ClockAttributes()->Color(), clLime);
    EXPECT_EQ(clock->ClockAttributes()->Shape(), stEllipse);
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1].Color, clBlack) << "the colour dialog starts from its own colour, not the clock's";
}

TEST_F(ClockEditors, TheClockEditorDialogSetsFaceAndBackColoursAtOnce) {
    auto clock = Place<TColorClock2>(100, 100, stEllipse);
    std::vector<TColor> picks{clYellow, clAqua};
    Answer([&](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        if (q.Kind == TDialogKind::Color) {
            TColor pick = picks.front();
            picks.erase(picks.begin());
            return Colour(pick);
        }
        auto dialog = ObjectAs<TClockEditorDialog>(q.Form);
        EXPECT_EQ(dialog->Clock, clock);
        dialog->SetFaceColorBtn->Click();
        EXPECT_EQ(clock->FaceColor(), clYellow) << "at once, before the dialog closes";
        dialog->SetBackColorBtn->Click();
        dialog->BitBtn1->Click();
        return TDialogAnswer{mrNone, "", clBlack};
    });
    int applicationComponents = Application->ComponentCount();
    GetComponentEditor(clock, Designer.get())->Edit();
    EXPECT_EQ(clock->FaceColor(), clYellow);
    EXPECT_EQ(clock->ClockAttributes()->Color(), clAqua);
    EXPECT_FALSE(Designer->IsModified());
    ASSERT_EQ(Asked.size(), 3u);
    EXPECT_EQ(Asked[2].Color, clYellow) << "the colour dialog keeps the last pick while the editor is open";
    EXPECT_EQ(Application->ComponentCount(), applicationComponents) << "the dialog is freed";

    Asked.clear();
    GetComponentEditor(Place<TMyClock2>(100, 100, stEllipse), Designer.get())->Edit();
    EXPECT_TRUE(Asked.empty()) << "a plain second clock opens no dialog";
}

}  // namespace
