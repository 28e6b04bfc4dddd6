// Published properties: accessors of every form (fields, members,
// indexed pairs, lambdas), every value kind with its range, stable type
// information, and classes that publish again or hide what they inherit.
#include <gtest/gtest.h>

#include "sample_classes.h"

namespace {

std::vector<AnsiString> Names(const TClassInfo& cls) {
    std::vector<AnsiString> names;
    for (const TPropInfo* p : cls.Properties()) names.push_back(p->Name);
    return names;
}

TEST(PublishedAccessors, IndexedPairsAndLambdasReadAndWriteTheirOwnValue) {
    TSampleKinds k(nullptr);
    SetOrdProp(&k, "Min", -3);
    SetOrdProp(&k, "Max", 9);
    EXPECT_EQ(k.Numbers, (std::map<int, int>{{5, -3}, {6, 9}, {7, 0}}));
    k.Numbers[7] = 4;
    EXPECT_EQ(GetOrdProp(&k, "Position"), 4);
    const TPropInfo* max = TSampleKinds::StaticClass().FindProperty("Max");
    EXPECT_EQ(max->Index, 6);
    EXPECT_EQ(max->Default, 100);
    EXPECT_FALSE(TSampleKinds::StaticClass().FindProperty("Position")->IsStored(&k));

    SetStrProp(&k, "Caption", "through a lambda");
    EXPECT_EQ(k.Label, "through a lambda");
    EXPECT_EQ(GetStrProp(&k, "Caption"), "through a lambda");

    // Indexed accessors without their index are a mistake in the class's description.
    try {
        TClassBuilder<TSampleKinds>::Abstract("TUnindexed", TComponent::StaticClass(), [](auto& c) {
            c.Property("Min", &TSampleKinds::GetIntegerProp, &TSampleKinds::SetIntegerProp);
        });
        ADD_FAILURE() << "accepted";
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), "TUnindexed.Min needs Index(n) for its indexed accessors");
    }
}

TEST(PublishedAccessors, EveryValueKindKeepsItsValueAndRefusesWhatItCannotHold) {
    TSampleKinds k(nullptr);
    SetPropValue(&k, "Cost", Currency::FromRaw(INT64_MAX));
    EXPECT_EQ(GetCurrProp(&k, "Cost"), Currency::FromRaw(INT64_MAX));
    SetFloatProp(&k, "Cost", 0.12345);
    EXPECT_EQ(k.Cost, Currency::FromRaw(1234));
    SetOrdProp(&k, "Big", INT64_MIN);
    EXPECT_EQ(k.Big, INT64_MIN);
    SetFloatProp(&k, "Single", 0.1);
    EXPECT_EQ(k.Single, 0.1f);
    SetFloatProp(&k, "Stamp", 45000.25);
    EXPECT_EQ(k.Stamp.Val, 45000.25);
    SetOrdProp(&k, "Flag", 1);
    EXPECT_EQ(k.Flag.Val, -1) << "true as the platform writes it";
    SetOrdProp(&k, "Small", -32768);
    SetOrdProp(&k, "Unsigned16", 65535);
    SetOrdProp(&k, "Styles", fsBold | fsStrikeOut);
    EXPECT_EQ(k.Styles, fsBold | fsStrikeOut);

    EXPECT_THROW(SetOrdProp(&k, "Small", 32768), EPropertyError);
    EXPECT_THROW(SetOrdProp(&k, "Unsigned16", -1), EPropertyError);
    EXPECT_THROW(SetOrdProp(&k, "Styles", 16), EPropertyError);
    EXPECT_THROW(SetFloatProp(&k, "Cost", 1e19), EOverflow);
    EXPECT_EQ(k.Small, -32768);
    EXPECT_EQ(k.Unsigned16, 65535);
    EXPECT_EQ(k.Cost, Currency::FromRaw(1234));
}

TEST(PublishedAccessors, TypeInformationIsOneRecordPerType) {
    EXPECT_EQ(TypeInfoOf<int>(), TypeInfoOf<int>());
    EXPECT_EQ(TSampleKinds::StaticClass().FindProperty("Min")->PropType(), TypeInfoOf<int>());
    EXPECT_EQ(TypeInfoOf<TColor>(), TypeInfoOf<TColor>());
    EXPECT_EQ(&TSampleKinds::StaticClass().Properties(), &TSampleKinds::StaticClass().Properties());
    struct Expected {
        PTypeInfo type;
        TTypeKind kind;
        const char* name;
    };
    for (const Expected& e : {Expected{TypeInfoOf<float>(), TTypeKind::Float, "Single"},
                              Expected{TypeInfoOf<double>(), TTypeKind::Float, "Double"},
                              Expected{TypeInfoOf<Currency>(), TTypeKind::Float, "Currency"},
                              Expected{TypeInfoOf<TDateTime>(), TTypeKind::Float, "TDateTime"},
                              Expected{TypeInfoOf<int64_t>(), TTypeKind::Integer, "Int64"},
                              Expected{TypeInfoOf<int16_t>(), TTypeKind::Integer, "Smallint"},
                              Expected{TypeInfoOf<WordBool>(), TTypeKind::Boolean, "WordBool"},
                              Expected{TypeInfoOf<AnsiString>(), TTypeKind::String, "AnsiString"},
                              Expected{TypeInfoOf<TFontStyles>(), TTypeKind::Set, "TFontStyles"}}) {
        EXPECT_EQ(e.type->Kind, e.kind) << e.name;
        EXPECT_STREQ(e.type->Name, e.name);
    }
    EXPECT_EQ(TypeInfoOf<unsigned>()->MaxValue, UINT32_MAX) << "a Cardinal reaches 2^32 - 1";
    EXPECT_EQ(TypeInfoOf<Currency>()->FloatType, TFloatType::Currency);
    EXPECT_EQ(TypeInfoOf<float>()->FloatType, TFloatType::Single);
}

// A clock-like control: publishes Align again (its ancestor already does),
// publishes the Font its ancestors only have, and hides the drag events.
class TPublishing : public TCustomControl {
    FRAME_CLASS(TPublishing, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    bool Running = false;
    int Secret = 0;
};

class TPublishingAgain : public TPublishing {
    FRAME_CLASS(TPublishingAgain, TPublishing)
public:
    using TPublishing::TPublishing;
};

const TClassInfo& TPublishing::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPublishing>::Creatable("TPublishing", TCustomControl::StaticClass(), [](auto& c) {
        c.Property("Running", &TPublishing::Running);
        c.Publish("Align");
        c.Property("Font", &TControl::Font, &TControl::SetFont);
        c.Hide("OnDragOver");
        c.Hide("OnDragDrop");
        c.Property("Secret", &TPublishing::Secret).Unpublished();
    });
    return info;
}

const TClassInfo& TPublishingAgain::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPublishingAgain>::Creatable("TPublishingAgain", TPublishing::StaticClass(), [](auto& c) {
        c.Publish("OnDragDrop");
        c.Publish("Secret");
    });
    return info;
}

TEST(PublishedClasses, PublishAgainHideAndPublishWhatAnAncestorOnlyDeclared) {
    std::vector<AnsiString> control = Names(TControl::StaticClass());
    std::vector<AnsiString> expected = control;
    std::erase(expected, "OnDragOver");
    std::erase(expected, "OnDragDrop");
    for (const char* added : {"Running", "Font"}) expected.push_back(added);
    EXPECT_EQ(Names(TPublishing::StaticClass()), expected) << "Align keeps its place; hidden ones are gone";
    expected.push_back("OnDragDrop");
    expected.push_back("Secret");
    EXPECT_EQ(Names(TPublishingAgain::StaticClass()), expected);

    TPublishing hiding(nullptr);
    EXPECT_EQ(TPublishing::StaticClass().FindProperty("ondragover"), nullptr);
    EXPECT_THROW(GetPropValue(&hiding, "OnDragDrop"), EPropertyError);
    EXPECT_THROW(SetOrdProp(&hiding, "Secret", 1), EPropertyError);
    SetOrdProp(&hiding, "Align", alClient);
    EXPECT_EQ(hiding.Align(), alClient);
    TPublishingAgain again(nullptr);
    SetOrdProp(&again, "Secret", 7);
    EXPECT_EQ(again.Secret, 7);
    EXPECT_NE(TControl::StaticClass().FindProperty("OnDragOver"), nullptr) << "the ancestor still publishes it";

    try {
        TClassBuilder<TPublishing>::Abstract("TWrong", TCustomControl::StaticClass(), [](auto& c) { c.Hide("Colour"); });
        ADD_FAILURE() << "accepted";
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), "TWrong.Colour is not an inherited property");
    }
}

}  // namespace
