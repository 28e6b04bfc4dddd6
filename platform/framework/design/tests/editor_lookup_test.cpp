// Which editor a property and a component get: the most specific
// registration, the later of two equal ones, else the stock or default one.
#include <gtest/gtest.h>

#include "framework/framework.h"

// A type of its own, so these registrations touch no other test.
enum TProbeLevel : int32_t {};
FRAME_TYPE_INFO(TProbeLevel);
FRAME_DEFINE_TYPE_INFO(TProbeLevel, TTypeKind::Integer, "TProbeLevel")

namespace {

class TProbe : public TComponent {
    FRAME_CLASS(TProbe, TComponent)
public:
    using TComponent::TComponent;
    TProbeLevel Level{};
    TProbeLevel Depth{};
    TFont* Font() const { return &FFont; }
    void SetFont(TFont* font) { FFont.Assign(font); }
    TStrings* Lines() const { return &FLines; }
    void SetLines(TStrings* lines) { FLines.Assign(lines); }

private:
    mutable TFont FFont;
    mutable TStringList FLines;
};

class TProbeChild : public TProbe {
    FRAME_CLASS(TProbeChild, TProbe)
public:
    using TProbe::TProbe;
};

const TClassInfo& TProbe::StaticClass() {
    static const TClassInfo info = TClassBuilder<TProbe>::Creatable("TProbe", TComponent::StaticClass(), [](auto& c) {
        c.Property("Level", &TProbe::Level);
        c.Property("Depth", &TProbe::Depth);
        c.Property("Font", &TProbe::Font, &TProbe::SetFont);
        c.Property("Lines", &TProbe::Lines, &TProbe::SetLines);
    });
    return info;
}

const TClassInfo& TProbeChild::StaticClass() {
    static const TClassInfo info = TClassBuilder<TProbeChild>::Creatable("TProbeChild", TProbe::StaticClass());
    return info;
}

template <int N>
struct Marked : TIntegerProperty {
    using TIntegerProperty::TIntegerProperty;
};

template <int N>
TPropertyEditorClass Mark() {
    return PropertyEditorClass<Marked<N>>();
}

TPropertyEditorClass EditorOf(const char* property) {
    const TClassInfo& cls = TProbeChild::StaticClass();
    return GetPropertyEditorClass(*cls.FindProperty(property), cls);
}

TEST(EditorLookup, TypeFirstThenNearestClassThenNameAndTheLaterOfEqualOnes) {
    PTypeInfo level = TypeInfoOf<TProbeLevel>();
    auto stock = EditorOf("Level").Create(nullptr, {{nullptr, TProbeChild::StaticClass().FindProperty("Level")}});
    EXPECT_NE(dynamic_cast<TIntegerProperty*>(stock.get()), nullptr);

    RegisterPropertyEditor(level, nullptr, "", Mark<1>());
    EXPECT_EQ(EditorOf("Level"), Mark<1>());
    RegisterPropertyEditor(level, nullptr, "level", Mark<2>());  // names match in any case
    EXPECT_EQ(EditorOf("Level"), Mark<2>());
    EXPECT_EQ(EditorOf("Depth"), Mark<1>());
    RegisterPropertyEditor(level, &TComponent::StaticClass(), "", Mark<3>());  // a class outranks a name
    EXPECT_EQ(EditorOf("Level"), Mark<3>());
    RegisterPropertyEditor(level, &TProbe::StaticClass(), "", Mark<4>());  // the nearer class
    RegisterPropertyEditor(level, &TComponent::StaticClass(), "Level", Mark<5>());
    EXPECT_EQ(EditorOf("Level"), Mark<4>());
    RegisterPropertyEditor(level, &TProbe::StaticClass(), "Level", Mark<6>());
    EXPECT_EQ(EditorOf("Level"), Mark<6>());
    EXPECT_EQ(EditorOf("Depth"), Mark<4>());
    RegisterPropertyEditor(level, &TProbe::StaticClass(), "Level", Mark<7>());  // equal: the later one
    EXPECT_EQ(EditorOf("Level"), Mark<7>());
    // Another type, or a class the component does not derive from, never applies.
    RegisterPropertyEditor(TypeInfoOf<int>(), &TProbeChild::StaticClass(), "Level", Mark<8>());
    RegisterPropertyEditor(level, &TTimer::StaticClass(), "Level", Mark<9>());
    EXPECT_EQ(EditorOf("Level"), Mark<7>());
    // Registrations for TProbe cover the descendant; TProbe itself too.
    EXPECT_EQ(GetPropertyEditorClass(*TProbe::StaticClass().FindProperty("Level"), TProbe::StaticClass()), Mark<7>());
}

TEST(EditorLookup, AClassPropertyTakesTheEditorOfItsOwnTypeBeforeAnAncestorsType) {
    // Fonts have the framework's font editor; a registration for every
    // persistent object does not displace it, but covers string lists.
    RegisterPropertyEditor(&TPersistent::StaticClass().TypeInfo(), &TProbe::StaticClass(), "", Mark<10>());
    EXPECT_EQ(EditorOf("Lines"), Mark<10>());
    TProbe probe(nullptr);
    auto font = EditorOf("Font").Create(nullptr, {{&probe, TProbe::StaticClass().FindProperty("Font")}});
    EXPECT_NE(dynamic_cast<TFontProperty*>(font.get()), nullptr);
}

struct Verbs : TComponentEditor {
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 2; }
    AnsiString GetVerb(int index) override { return index ? "Prod" : "Poke"; }
    void ExecuteVerb(int index) override { Executed.push_back(index); }
    static inline std::vector<int> Executed;
};
struct OtherVerbs : Verbs {
    using Verbs::Verbs;
};
struct LaterVerbs : Verbs {
    using Verbs::Verbs;
};

TEST(EditorLookup, AComponentGetsTheEditorOfItsNearestRegisteredClassElseTheDefault) {
    TComponent plain(nullptr);
    auto standard = GetComponentEditor(&plain, nullptr);
    EXPECT_EQ(standard->GetVerbCount(), 0);
    EXPECT_THROW(standard->GetVerb(0), EListError);
    standard->Edit();  // no verb: nothing happens

    TProbe probe(nullptr);
    TProbeChild child(nullptr);
    RegisterComponentEditor(TProbe::StaticClass(), ComponentEditorClass<Verbs>());
    auto editor = GetComponentEditor(&child, nullptr);
    EXPECT_EQ(editor->Component(), &child);
    EXPECT_EQ(editor->GetVerb(1), "Prod");
    Verbs::Executed.clear();
    editor->Edit();  // the first verb
    EXPECT_EQ(Verbs::Executed, std::vector<int>{0});

    RegisterComponentEditor(TProbeChild::StaticClass(), ComponentEditorClass<OtherVerbs>());
    RegisterComponentEditor(TProbe::StaticClass(), ComponentEditorClass<LaterVerbs>());
    EXPECT_NE(dynamic_cast<OtherVerbs*>(GetComponentEditor(&child, nullptr).get()), nullptr);
    EXPECT_NE(dynamic_cast<LaterVerbs*>(GetComponentEditor(&probe, nullptr).get()), nullptr);
}

}  // namespace
