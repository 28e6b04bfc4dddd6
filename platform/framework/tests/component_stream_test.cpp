// One component over a stream: every value kind through both codecs, a
// descendent written against an ancestor, the platform's IStream, and
// images and text that must be refused without touching the target.
#include <gtest/gtest.h>
#include <objbase.h>

#include <cstring>

#include "sample_classes.h"
#include "framework/streaming/component_image.h"
#include "framework/streaming/form_text.h"

namespace {

struct ComponentStream : ::testing::Test {
    void SetUp() override {
        RegisterClasses({&TSampleItem::StaticClass(), &TSampleRoot::StaticClass(), &TSampleKinds::StaticClass()});
    }

    static void Fill(TSampleKinds& k) {
        k.SetName("K");
        k.Cost = Currency::FromRaw(INT64_MAX);
        k.Big = INT64_MIN;
        k.Single = 0.1f;
        k.Double = 1.0 / 3;
        k.Stamp = EncodeDate(2024, 3, 7) + EncodeTime(13, 5, 9, 0);
        k.Flag = true;
        k.Small = -32768;
        k.Unsigned16 = 65535;
        k.Styles = fsItalic | fsStrikeOut;
        k.Label = "say \"hi\"\n";
        k.Numbers = {{5, -3}, {6, 0}, {7, 42}};
    }

    static TBytes Image(TComponent* c, const TWriteOptions& options = {}) {
        TMemoryStream s;
        WriteComponent(s, c, options);
        return s.Bytes();
    }

    // The message of the EReadError reading bytes into target raises, after
    // checking that target kept every stored value.
    static AnsiString Refusal(const TBytes& bytes, TComponent* target) {
        AnsiString before = WriteFormText(target);
        int components = target->ComponentCount();
        TMemoryStream s(bytes);
        try {
            ReadComponent(s, target);
        } catch (const EReadError& e) {
            EXPECT_EQ(WriteFormText(target), before) << e.Message();
            EXPECT_EQ(target->ComponentCount(), components);
            return e.Message();
        }
        ADD_FAILURE() << "accepted";
        return "";
    }
};

TEST_F(ComponentStream, EveryValueKindSurvivesBothCodecs) {
    TSampleKinds original(nullptr);
    Fill(original);
    for (TComponentFormat format : {TComponentFormat::Binary, TComponentFormat::Text}) {
        TMemoryStream s;
        WriteComponent(s, &original, {}, format);
        const char tail[] = "after";  // an image ends by itself, text with the stream
        if (format == TComponentFormat::Binary) s.WriteBuffer(tail, 5);
        s.SetPosition(0);
        auto* copy = static_cast<TSampleKinds*>(
            format == TComponentFormat::Binary ? ReadComponent(s, nullptr) : ReadComponent(s, new TSampleKinds(nullptr)));
        std::unique_ptr<TSampleKinds> owned(copy);
        EXPECT_EQ(copy->Name(), "K");
        EXPECT_EQ(copy->Cost, original.Cost);
        EXPECT_EQ(copy->Big, INT64_MIN);
        EXPECT_EQ(copy->Single, 0.1f);
        EXPECT_EQ(copy->Double, 1.0 / 3);
        EXPECT_EQ(copy->Stamp.Val, original.Stamp.Val);
        EXPECT_TRUE(copy->Flag);
        EXPECT_EQ(copy->Small, -32768);
        EXPECT_EQ(copy->Unsigned16, 65535);
        EXPECT_EQ(copy->Styles, fsItalic | fsStrikeOut);
        EXPECT_EQ(copy->Label, original.Label);
        EXPECT_EQ(copy->Numbers, (std::map<int, int>{{5, -3}, {6, 0}, {7, 0}})) << "Position is not stored";
        if (format == TComponentFormat::Binary) {
            char rest[5];
            EXPECT_EQ(s.Read(rest, 5), 5) << "the reader stops at the end of the image";
            EXPECT_EQ(std::memcmp(rest, tail, 5), 0);
        }
    }
    AnsiString text = WriteFormText(&original);
    for (const char* line : {"Cost = 922337203685477.5807", "Single = 0.1", "Flag = true", "Styles = [fsItalic, fsStrikeOut]",
                             "Max = 0", "Min = -3", "Caption = \"say \\\"hi\\\"\\n\""})
        EXPECT_NE(text.find(line), AnsiString::npos) << line << " in\n" << text;
    EXPECT_EQ(text.find("Position"), AnsiString::npos);
    // Money written by hand keeps its digits exactly.
    TSampleKinds exact(nullptr);
    ReadFormText(&exact, "TSampleKinds K { Cost = 900719925474099.1234 }", "T");
    EXPECT_EQ(exact.Cost, Currency::FromRaw(9007199254740991234));
}

TEST_F(ComponentStream, ADescendentHoldsOnlyWhatDiffersFromItsAncestorAndChildrenOnlyWhenAsked) {
    TSampleKinds ancestor(nullptr), descendent(nullptr);
    Fill(ancestor);
    Fill(descendent);
    descendent.Cost = Currency(0);   // the stream default, but not the ancestor's
    descendent.Small = 7;
    auto tree = WriteComponentTree(&descendent, {.Ancestor = &ancestor});
    std::vector<AnsiString> paths;
    for (const TFormItem& item : tree->items) paths.push_back(item.path);
    EXPECT_EQ(paths, (std::vector<AnsiString>{"Cost", "Small"}));

    TSampleKinds target(nullptr);
    Fill(target);
    TMemoryStream s(Image(&descendent, {.Ancestor = &ancestor}));
    ReadComponent(s, &target);
    EXPECT_EQ(target.Cost, Currency(0));
    EXPECT_EQ(target.Small, 7);
    EXPECT_EQ(target.Big, INT64_MIN);

    TSampleRoot root(nullptr);
    ReadFormText(&root, "TSampleRoot R {\n TSampleItem First { Buddy = Second OnPoke = FirstPoke }\n"
                        " TSampleItem Second { Tag = 2 }\n}", "R");
    (new TSampleItem(&root))->Count = 9;  // a component without a name
    EXPECT_TRUE(WriteComponentTree(&root, {.Children = false})->children.empty());
    for (TComponentFormat format : {TComponentFormat::Binary, TComponentFormat::Text}) {
        TSampleRoot copy(nullptr);
        TMemoryStream all;
        WriteComponent(all, &root, {}, format);
        all.SetPosition(0);
        ReadComponent(all, &copy);
        ASSERT_NE(copy.First, nullptr);
        EXPECT_EQ(copy.First->Buddy, copy.Second);
        copy.First->OnPoke(nullptr);
        EXPECT_EQ(copy.Pokes, 1);
        ASSERT_EQ(copy.ComponentCount(), 3);
        EXPECT_EQ(static_cast<TSampleItem*>(copy.Components(2))->Count, 9);
    }
}

ULONG References(IUnknown* unknown) {
    unknown->AddRef();
    return unknown->Release();
}

TEST_F(ComponentStream, AnImageGoesThroughThePlatformsStreamIntoAnotherInstance) {
    TSampleKinds original(nullptr), copy(nullptr);
    Fill(original);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    {
        TOleStream adapter(stream);
        EXPECT_EQ(References(stream), 2u);
        WriteComponent(adapter, &original);
        EXPECT_EQ(adapter.Position(), adapter.Size());
        adapter.SetPosition(0);
    }
    EXPECT_EQ(References(stream), 1u);
    {
        TOleStream adapter(stream);
        ReadComponent(adapter, &copy);
    }
    EXPECT_EQ(WriteFormText(&copy), WriteFormText(&original));
    EXPECT_EQ(stream->Release(), 0u);
}

TEST_F(ComponentStream, TruncatedCorruptedAndOversizedImagesAreRefusedWithWhereAndWhat) {
    TSampleKinds original(nullptr);
    Fill(original);
    const TBytes image = Image(&original);
    TSampleKinds target(nullptr);
    target.Cost = Currency(5);
    target.Small = 9;

    for (size_t length = 0; length < image.size(); ++length) {
        TBytes cut(image.begin(), image.begin() + static_cast<ptrdiff_t>(length));
        Refusal(cut, &target);
        // Cut inside and made to look whole: the parser still reads nothing
        // past the end.
        if (length < ComponentImageHeaderSize) continue;
        uint32_t rest = static_cast<uint32_t>(length - ComponentImageHeaderSize);
        std::memcpy(&cut[6], &rest, 4);
        EXPECT_THROW(ParseComponentImage(cut, "I"), EReadError) << length;
    }
    EXPECT_EQ(Refusal(TBytes(image.begin(), image.end() - 1), &target),
              Format("Component image at offset %d: the image is %d bytes long but the stream ends after %d",
                     image.size() - 1, image.size(), image.size() - 1));

    // The first value (Cost, money) given an unknown tag.
    TBytes corrupt = image;
    size_t at = ComponentImageHeaderSize + 1 + 12 + 1 + 1 + 1 + 1 + 4;  // class, name, item count, "Cost"
    ASSERT_EQ(std::memcmp(&corrupt[at - 4], "Cost", 4), 0);
    corrupt[at] = 200;
    EXPECT_EQ(Refusal(corrupt, &target), Format("Component image at offset %d: K.Cost: unknown value tag 200", at));
    // An item count larger than the image could hold.
    TBytes counted = image;
    counted.erase(counted.begin() + static_cast<ptrdiff_t>(at - 6));
    counted.insert(counted.begin() + static_cast<ptrdiff_t>(at - 6), {0xFF, 0xFF, 0xFF, 0xFF, 0x0F});
    uint32_t rest = static_cast<uint32_t>(counted.size() - ComponentImageHeaderSize);
    std::memcpy(&counted[6], &rest, 4);
    EXPECT_EQ(Refusal(counted, &target), Format("Component image at offset %d: K: 4294967295 entries cannot fit in "
                                                "the %d bytes left", at - 1, counted.size() - (at - 1)));
    // A value the property cannot hold, after another was set: the item's
    // own offset.
    TFormNode tree;
    tree.className = "TSampleKinds";
    tree.items.push_back(TFormItem{"Cost", TFormValue{.kind = TFormValue::Money, .integer = 70000}});
    tree.items.push_back(TFormItem{"Small", TFormValue{.integer = 40000}});
    TBytes wide = PrintComponentImage(tree);
    EXPECT_EQ(Refusal(wide, &target), Format("Component image at offset %d: TSampleKinds.Small: value 40000 out of range",
                                             ParseComponentImage(wide, "I")->items[1].pos));

    TBytes oversized = image;
    uint32_t huge = static_cast<uint32_t>(MaxComponentImageSize) + 1;
    std::memcpy(&oversized[6], &huge, 4);
    EXPECT_EQ(Refusal(oversized, &target),
              Format("Component image at offset 10: an image of %d bytes is larger than the %d allowed", huge,
                     MaxComponentImageSize));
    TBytes version = image;
    version[4] = 9;
    EXPECT_EQ(Refusal(version, &target),
              "Component image at offset 6: version 9 cannot be read (this reader knows version 1)");
    EXPECT_EQ(target.Cost, Currency(5));
    EXPECT_EQ(target.Small, 9);
}

TEST_F(ComponentStream, AReadRefusedHalfwayPutsBackEveryValueOfTheTarget) {
    TSampleItem target(nullptr);
    target.SetName("Kept");
    target.Title = "kept";
    target.Lines()->Add("kept line");
    target.Font()->SetHeight(-20);
    target.Picture()->Bitmap()->SetSize(2, 2);
    TBitmap other;
    other.SetSize(3, 1);
    TSampleItem source(nullptr);
    source.SetName("Source");
    source.Title = "new";
    source.Lines()->Add("new line");
    source.Font()->SetHeight(-9);
    source.Picture()->Assign(&other);
    source.Shade = clRed;
    source.Mood = smGrumpy;
    AnsiString text = WriteFormText(&source);
    text.insert(text.rfind('}'), "  Mood = smAngry\n");  // the last item fails
    EXPECT_NE(Refusal(TBytes(text.begin(), text.end()), &target).find(": Source.Mood: unknown value smAngry"),
              AnsiString::npos);
    EXPECT_EQ(target.Name(), "Kept");
    EXPECT_EQ(target.Picture()->Width(), 2);

    TSampleRoot root(nullptr);
    root.SetTag(3);
    AnsiString later = "TSampleRoot R {\n Tag = 8\n TSampleItem First { }\n TSampleItem Second { Count = 1.5 }\n}";
    EXPECT_EQ(Refusal(TBytes(later.begin(), later.end()), &root),
              "Component text(4): Second.Count: a number expected for a Integer property");
    EXPECT_EQ(root.First, nullptr);
    EXPECT_EQ(root.Tag(), 3);
}

TEST_F(ComponentStream, NestingDeeperThanTheLimitIsRefusedByBothCodecs) {
    TFormNode root;
    root.className = "TSampleRoot";
    TFormNode* inner = &root;
    AnsiString text;
    for (int depth = 0; depth < MaxComponentNesting; ++depth) {
        inner->children.push_back(std::make_unique<TFormNode>());
        inner = inner->children.back().get();
        inner->className = "TSampleItem";
    }
    for (int depth = 0; depth <= MaxComponentNesting; ++depth) text += "TSampleItem {\n";
    TSampleRoot target(nullptr);
    EXPECT_NE(Refusal(PrintComponentImage(root), &target).find(": components nested deeper than 64"), AnsiString::npos);
    EXPECT_EQ(Refusal(TBytes(text.begin(), text.end()), &target), "Component text(65): components nested deeper than 64");
}

}  // namespace
