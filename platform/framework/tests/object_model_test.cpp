// The object model: class information, the class registry, the owner
// tree with its free notifications, and published property access.
#include <gtest/gtest.h>

#include "sample_classes.h"

namespace {

struct Registered : ::testing::Test {
    void SetUp() override { RegisterClasses({&TSampleItem::StaticClass(), &TSampleRoot::StaticClass()}); }
};

TEST_F(Registered, ClassInformationDescribesTheHierarchy) {
    TSampleItem item(nullptr);
    EXPECT_EQ(item.ClassName(), "TSampleItem");
    EXPECT_EQ(item.ClassParent(), &TComponent::StaticClass());
    EXPECT_TRUE(item.InheritsFrom(TPersistent::StaticClass()));
    EXPECT_FALSE(item.InheritsFrom(TControl::StaticClass()));
    EXPECT_TRUE(item.ClassNameIs("tsampleitem"));
    EXPECT_EQ(ObjectAs<TControl>(&item), nullptr);
    EXPECT_EQ(ObjectAs<TComponent>(&item), &item);
}

TEST_F(Registered, ClassesAreMadeByNameOnlyWhenTheyFitTheBase) {
    EXPECT_EQ(GetClass("TSAMPLEITEM"), &TSampleItem::StaticClass());
    EXPECT_EQ(GetClass("TNoSuchThing"), nullptr);
    EXPECT_THROW(FindClass("TNoSuchThing", TComponent::StaticClass()), EClassNotFound);
    EXPECT_THROW(FindClass("TSampleItem", TControl::StaticClass()), EComponentError);

    TSampleRoot root(nullptr);
    TComponent* made = FindClass("TSampleItem", TComponent::StaticClass()).Create(&root);
    EXPECT_EQ(made->ClassName(), "TSampleItem");
    EXPECT_EQ(made->Owner(), &root);
    EXPECT_EQ(static_cast<TSampleItem*>(made)->Count, 7);  // its own constructor ran
    EXPECT_THROW(TControl::StaticClass().Create(&root), EComponentError);  // abstract
    EXPECT_EQ(root.ComponentCount(), 1);
}

TEST_F(Registered, FrameworkClassesAreRegistered) {
    for (const char* name : {"TImage", "TTimer", "TImageList", "TForm"})
        EXPECT_NE(GetClass(name), nullptr) << name;
}

TEST_F(Registered, PaletteRecordsPagesAndClasses) {
    RegisterComponents("Samples", {&TSampleItem::StaticClass()});
    RegisterComponents("Samples", {&TSampleItem::StaticClass()});  // once only
    EXPECT_EQ(PalettePage("Samples"), (std::vector<const TClassInfo*>{&TSampleItem::StaticClass()}));
    UnRegisterPalettePage("Samples");
    EXPECT_TRUE(PalettePage("Samples").empty());
}

TEST(OwnerTree, AnOwnerFreesWhatItOwnsAndWatchersHearOfIt) {
    auto* root = new TSampleRoot(nullptr);
    auto* a = new TSampleItem(root);
    auto* b = new TSampleItem(root);
    TSampleItem watcher(nullptr);
    a->SetName("A");
    b->SetName("B");
    watcher.Buddy = b;
    b->FreeNotification(&watcher);

    EXPECT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->FindComponent("a"), a);
    EXPECT_EQ(b->ComponentIndex(), 1);

    delete a;  // leaves its owner
    EXPECT_EQ(root->ComponentCount(), 1);
    EXPECT_TRUE(watcher.Removed.empty());

    delete root;  // frees b, which tells the watcher
    EXPECT_EQ(watcher.Removed, (std::vector<TComponent*>{b}));
    EXPECT_EQ(watcher.Buddy, nullptr);
}

TEST(OwnerTree, AWatcherThatGoesFirstIsForgotten) {
    TSampleItem watched(nullptr);
    {
        TSampleItem watcher(nullptr);
        watched.FreeNotification(&watcher);
    }
    // Destroying the watched one must not reach the watcher that is gone.
    EXPECT_TRUE(watched.Removed.size() == 1);  // it heard of the watcher instead
}

TEST(OwnerTree, NamesAreIdentifiersAndUniquePerOwner) {
    TSampleRoot root(nullptr);
    auto* a = new TSampleItem(&root);
    auto* b = new TSampleItem(&root);
    a->SetName("Same");
    EXPECT_THROW(b->SetName("same"), EComponentError);
    EXPECT_THROW(b->SetName("9lives"), EComponentError);
    EXPECT_THROW(b->SetName("has space"), EComponentError);
    b->SetName("Other");
    EXPECT_EQ(b->Name(), "Other");
}

TEST(PublishedProperties, AreListedInOrderOfPublicationAfterInheritedOnes) {
    std::vector<AnsiString> names;
    for (const TPropInfo* p : TSampleItem::StaticClass().Properties()) names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<AnsiString>{"Name", "Tag", "Count", "Active", "Ratio", "Title", "Mood", "Shade",
                                              "Styles", "Buddy", "OnPoke", "Font", "Lines", "Picture"}));
}

TEST(PublishedProperties, ReadAndWriteByNameWithTypeChecks) {
    TSampleItem item(nullptr), other(nullptr);
    SetOrdProp(&item, "Count", 42);
    EXPECT_EQ(item.Count, 42);
    SetOrdProp(&item, "Mood", smGrumpy);
    EXPECT_EQ(GetOrdProp(&item, "Mood"), smGrumpy);
    SetPropValue(&item, "Title", AnsiString("hello"));
    EXPECT_EQ(item.Title, "hello");
    SetPropValue(&item, "Buddy", static_cast<TObject*>(&other));
    EXPECT_EQ(item.Buddy, &other);

    TStringList wrongClass;
    EXPECT_THROW(SetPropValue(&item, "Buddy", static_cast<TObject*>(&wrongClass)), EPropertyError);
    EXPECT_THROW(SetPropValue(&item, "Count", AnsiString("x")), EPropertyError);
    EXPECT_THROW(GetPropValue(&item, "NoSuch"), EPropertyError);

    PTypeInfo mood = TSampleItem::StaticClass().FindProperty("Mood")->PropType();
    EXPECT_EQ(GetEnumName(mood, smCheerful), "smCheerful");
    EXPECT_EQ(GetEnumValue(mood, "smGrumpy"), smGrumpy);
    EXPECT_EQ(GetEnumValue(mood, "smAngry"), -1);
}

TEST(FrameworkComponents, StartWithTheirDocumentedValues) {
    TTimer timer(nullptr);
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_TRUE(timer.Enabled());
    TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Count(), 0);
    TImage image(nullptr);
    EXPECT_TRUE(image.Visible());
    EXPECT_EQ(image.Align(), alNone);
    EXPECT_TRUE(image.Picture()->Graphic() == nullptr);
}

TEST(Colors, ConvertBothWays) {
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(static_cast<TColor>(0x123456)), "0x00123456");
    EXPECT_EQ(StringToColor("clWhite"), clWhite);
    EXPECT_EQ(StringToColor("0x00FF0000"), clBlue);
    EXPECT_EQ(static_cast<uint32_t>(StringToColor("0x8000000F")), 0x8000000Fu);
    EXPECT_THROW(StringToColor("clPlaid"), EConvertError);
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
}

TEST(Events, CompareByObjectAndMethodAndCallThrough) {
    TSampleRoot a(nullptr), b(nullptr);
    TNotifyEvent toA(&a, &TSampleRoot::FirstPoke), toA2(&a, &TSampleRoot::FirstPoke), toB(&b, &TSampleRoot::FirstPoke);
    EXPECT_TRUE(toA == toA2);
    EXPECT_FALSE(toA == toB);
    toA(nullptr);
    EXPECT_EQ(a.Pokes, 1);
    TNotifyEvent none;
    none(nullptr);  // an unbound event does nothing
    EXPECT_EQ(TSampleRoot::StaticClass().FindMethod(toA.Method())->Name, "FirstPoke");
}

}  // namespace
