// Form text: reading into components, writing back, round trips, and the
// faults a malformed resource must report (resource, line and item).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "sample_classes.h"
#include "framework/classes/published.h"
#include "framework/streaming/form_text.h"

namespace {

struct FormStream : ::testing::Test {
    void SetUp() override { RegisterClasses({&TSampleItem::StaticClass(), &TSampleRoot::StaticClass()}); }

    // The message of the EReadError that reading text raises ("" if none).
    static AnsiString ReadError(const AnsiString& text) {
        TSampleRoot root(nullptr);
        try {
            ReadFormText(&root, text, "TSAMPLEROOT");
        } catch (const EReadError& e) {
            EXPECT_EQ(root.ComponentCount(), 0) << "a failed read left components behind";
            EXPECT_EQ(root.First, nullptr);
            return e.Message();
        }
        return "";
    }
};

const char* const FullForm = R"(// a sample
TSampleRoot Root {
  TSampleItem First {
    Count = 3
    Active = false
    Ratio = 2.5
    Title = "say \"hi\"\n"
    Mood = smGrumpy
    Shade = clWhite
    Styles = [fsBold, fsUnderline]
    Buddy = Second
    OnPoke = FirstPoke
    Font.Height = -16
    Font.Name = "Arial"
    Font.Charset = ANSI_CHARSET
    Lines.Strings = ("one" "two")
  }
  TSampleItem Second {
    Tag = -5
    Buddy = First
  }
}
)";

TEST_F(FormStream, ReadsEveryKindOfValueAndBindsReferencesAndHandlers) {
    TSampleRoot root(nullptr);
    ReadFormText(&root, FullForm, "TSAMPLEROOT");
    ASSERT_NE(root.First, nullptr);
    ASSERT_NE(root.Second, nullptr);
    EXPECT_EQ(root.Name(), "Root");
    TSampleItem& f = *root.First;
    EXPECT_EQ(f.Count, 3);
    EXPECT_FALSE(f.Active);
    EXPECT_DOUBLE_EQ(f.Ratio, 2.5);
    EXPECT_EQ(f.Title, "say \"hi\"\n");
    EXPECT_EQ(f.Mood, smGrumpy);
    EXPECT_EQ(f.Shade, clWhite);
    EXPECT_EQ(f.Styles, fsBold | fsUnderline);
    EXPECT_EQ(f.Buddy, root.Second);
    EXPECT_EQ(root.Second->Buddy, root.First);  // a reference forward and back
    EXPECT_EQ(f.Font()->Height(), -16);
    EXPECT_EQ(f.Font()->Name(), "Arial");
    EXPECT_EQ(f.Font()->Charset(), ANSI_CHARSET);
    EXPECT_EQ(f.Lines()->Text(), "one\r\ntwo\r\n");
    EXPECT_EQ(root.Second->Tag(), -5);
    f.OnPoke(&f);
    EXPECT_EQ(root.Pokes, 1);
    EXPECT_EQ(f.LoadedCalls, 1);
    EXPECT_EQ(root.Second->LoadedCalls, 1);
    EXPECT_FALSE(f.HasState(csLoading));
}

TEST_F(FormStream, AnAbsentPropertyKeepsItsConstructorValue) {
    TSampleRoot root(nullptr);
    ReadFormText(&root, "TSampleRoot R { TSampleItem First { } }", "X");
    EXPECT_EQ(root.First->Count, 7);
    EXPECT_TRUE(root.First->Active);
    EXPECT_EQ(root.First->Shade, clBtnFace);
}

TEST_F(FormStream, TheWriterLeavesOutStreamDefaults) {
    TSampleRoot root(nullptr);
    root.SetName("R");
    auto* item = new TSampleItem(&root);
    item->SetName("First");
    item->Count = 0;        // equal to its stream default 0: not written
    item->Active = true;    // equal to its default
    item->Shade = clBtnFace;
    AnsiString text = WriteFormText(&root);
    EXPECT_EQ(text.find("Count"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("Active"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("Shade"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("Buddy"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("OnPoke"), AnsiString::npos) << text;

    // So a value equal to the stream default comes back as the constructor's.
    TSampleRoot copy(nullptr);
    ReadFormText(&copy, text, "R");
    EXPECT_EQ(copy.First->Count, 7);
}

TEST_F(FormStream, WritingWhatWasReadGivesTheSameTextAgain) {
    TSampleRoot root(nullptr);
    ReadFormText(&root, FullForm, "TSAMPLEROOT");
    // Pictures go through the writer as binary data.
    root.First->Picture()->Bitmap()->SetPixelFormat(pf8bit);
    root.First->Picture()->Bitmap()->SetSize(3, 2);
    AnsiString written = WriteFormText(&root);
    EXPECT_NE(written.find("OnPoke = FirstPoke"), AnsiString::npos) << written;
    EXPECT_NE(written.find("Picture.Data = hex{424D"), AnsiString::npos) << written;

    TSampleRoot copy(nullptr);
    ReadFormText(&copy, written, "TSAMPLEROOT");
    EXPECT_EQ(WriteFormText(&copy), written);
    EXPECT_EQ(copy.First->Picture()->Bitmap()->PixelFormat(), pf8bit);
    EXPECT_EQ(copy.First->Picture()->Width(), 3);
}

TEST_F(FormStream, TextPrintsAndParsesEveryValueKind) {
    auto tree = ParseFormText("A B { x = -11 y = 0x1F z = 1.5 s = \"\\x01\" i = id e = [] l = () h = hex{00FF} }", "T");
    ASSERT_EQ(tree->items.size(), 8u);
    EXPECT_EQ(tree->items[0].value.integer, -11);
    EXPECT_EQ(tree->items[1].value.integer, 31);
    EXPECT_EQ(tree->items[3].value.text, "\x01");
    EXPECT_EQ(tree->items[7].value.bytes, (TBytes{0x00, 0xFF}));
    EXPECT_EQ(PrintFormText(*ParseFormText(PrintFormText(*tree), "T")), PrintFormText(*tree));
}

TEST_F(FormStream, HexDataTakesBothCasesAndBlanksAndNamesEachFault) {
    auto tree = ParseFormText("A B { h = hex{0a Bc\tDE ff} e = hex{} }", "T");
    EXPECT_EQ(tree->items[0].value.bytes, (TBytes{0x0A, 0xBC, 0xDE, 0xFF}));
    EXPECT_TRUE(tree->items[1].value.bytes.empty());
    auto fault = [](const char* text) {
        try {
            ParseFormText(text, "T");
        } catch (const EReadError& e) {
            return e.Message();
        }
        return AnsiString("no fault");
    };
    EXPECT_EQ(fault("A B {\n h = hex{0A1}\n}"), "T(2): odd number of hex digits");
    EXPECT_EQ(fault("A B {\n h = hex{0G}\n}"), "T(2): bad hex digit");
    EXPECT_EQ(fault("A B {\n h = hex{0A\n}\n}"), "T(2): unterminated hex data");
    EXPECT_EQ(fault("A B {\n h = hex{0A"), "T(2): unterminated hex data");
}

TEST_F(FormStream, FaultsNameTheResourceTheLineAndTheItem) {
    EXPECT_EQ(ReadError("TSampleRoot R {\n  TNoSuch First {\n  }\n}"),
              "TSAMPLEROOT(2): First: class TNoSuch not found");
    EXPECT_EQ(ReadError("TSampleRoot R {\n  TSampleItem First {\n    Colour = clRed\n  }\n}"),
              "TSAMPLEROOT(3): First.Colour: TSampleItem has no property Colour");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n Mood = smAngry\n }\n}"),
              "TSAMPLEROOT(3): First.Mood: unknown value smAngry");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n Count = \"three\"\n }\n}"),
              "TSAMPLEROOT(3): First.Count: a number expected for a Integer property");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n Buddy = Nobody\n }\n}"),
              "TSAMPLEROOT(3): First.Buddy: no component named Nobody");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n OnPoke = Missing\n }\n}"),
              "TSAMPLEROOT(3): First.OnPoke: TSampleRoot has no handler Missing");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n OnPoke = MouseHandler\n }\n}"),
              "TSAMPLEROOT(3): First.OnPoke: handler MouseHandler is a TMouseEvent, not a TNotifyEvent");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n Title = \"open\n }\n}"),
              "TSAMPLEROOT(3): unterminated string");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n"), "TSAMPLEROOT(3): '}' expected before the end of the text");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n Picture.Data = hex{424D00}\n }\n}"),
              "TSAMPLEROOT(3): First.Picture.Data: Invalid bitmap: too short");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First { }\n TSampleItem First { }\n}"),
              "TSAMPLEROOT(3): First: a component named First already exists");
    EXPECT_EQ(ReadError("TOther R { }"), "TSAMPLEROOT(1): TOther: the resource describes a TOther, not a TSampleRoot");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n Font.Height.X = 1\n }\n}"),
              "TSAMPLEROOT(3): First.Font.Height.X: TFont has no sub-object Height");
}

TEST_F(FormStream, AComponentThatIsNoControlKeepsItsDesignPosition) {
    TSampleRoot root(nullptr);
    ReadFormText(&root, "TSampleRoot R {\n TSampleItem First {\n Count = 2\n Left = 136\n Top = -4\n }\n"
                        " TSampleItem Second { }\n}", "TSAMPLEROOT");
    ASSERT_NE(root.First, nullptr);
    EXPECT_TRUE(root.First->DesignInfo().Placed);
    EXPECT_EQ(root.First->DesignInfo().Left, 136);
    EXPECT_EQ(root.First->DesignInfo().Top, -4);
    EXPECT_FALSE(root.Second->DesignInfo().Placed);

    AnsiString written = WriteFormText(&root);
    EXPECT_NE(written.find("Left = 136"), AnsiString::npos) << written;
    EXPECT_EQ(written.find("Left", written.find("Second")), AnsiString::npos) << "an unplaced one writes none";
    TSampleRoot copy(nullptr);
    ReadFormText(&copy, written, "TSAMPLEROOT");
    EXPECT_EQ(copy.First->DesignInfo().Left, 136);
    EXPECT_EQ(copy.First->DesignInfo().Top, -4);
    EXPECT_EQ(WriteFormText(&copy), written);

    // Only Left and Top, and only numbers; anything else is still unknown.
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n Width = 10\n }\n}"),
              "TSAMPLEROOT(3): First.Width: TSampleItem has no property Width");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n Top = near\n }\n}"),
              "TSAMPLEROOT(3): First.Top: a number expected for a design position");
    EXPECT_EQ(ReadError("TSampleRoot R {\n TSampleItem First {\n Font.Left = 1\n }\n}"),
              "TSAMPLEROOT(3): First.Font.Left: TFont has no property Left");
}

TEST_F(FormStream, AFailedReadLeavesNoComponentAndNoFieldBehind) {
    // Checked inside ReadError for every fault; here with a later fault
    // after components were already made.
    EXPECT_NE(ReadError("TSampleRoot R {\n TSampleItem First { }\n TSampleItem Second { Buddy = Ghost }\n}"), "");
}

// A component with a bitmap of its own published as a property.
class TBitmapHolder : public TComponent {
    FRAME_CLASS(TBitmapHolder, TComponent)
public:
    using TComponent::TComponent;
    TBitmap* Mark() const { return FMark.get(); }
    void SetMark(TBitmap* value) { FMark->Assign(value); }

private:
    std::unique_ptr<TBitmap> FMark = std::make_unique<TBitmap>();
};

const TClassInfo& TBitmapHolder::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBitmapHolder>::Creatable(
        "TBitmapHolder", TComponent::StaticClass(),
        [](auto& c) { c.Property("Mark", &TBitmapHolder::Mark, &TBitmapHolder::SetMark); });
    return info;
}

TEST_F(FormStream, APublishedBitmapIsStoredAsItsFileAndReadBackFromItOrBehindALength) {
    TBitmapHolder empty(nullptr);
    empty.SetName("H");
    EXPECT_EQ(WriteFormText(&empty).find("Mark"), AnsiString::npos);

    TBitmapHolder original(nullptr);
    original.SetName("H");
    original.Mark()->SetPixelFormat(pf8bit);
    original.Mark()->SetPalette(std::vector<RGBQUAD>(256, RGBQUAD{10, 20, 30, 0}));
    original.Mark()->SetSize(5, 3);
    static_cast<BYTE*>(original.Mark()->ScanLine(2))[4] = 77;
    const TBytes file = original.Mark()->SaveToBytes();
    const AnsiString text = WriteFormText(&original);
    EXPECT_NE(text.find("Mark.Data = hex{424D"), AnsiString::npos) << text;

    TBytes counted(4);
    const uint32_t length = static_cast<uint32_t>(file.size());
    std::memcpy(counted.data(), &length, 4);
    counted.insert(counted.end(), file.begin(), file.end());
    AnsiString countedText = "TBitmapHolder H {\n  Mark.Data = hex{";
    for (uint8_t b : counted) countedText += Format("%.2X", b);
    countedText += "}\n}\n";

    for (const AnsiString& stored : {text, countedText}) {
        TBitmapHolder copy(nullptr);
        ReadFormText(&copy, stored, "TBITMAPHOLDER");
        ASSERT_EQ(copy.Mark()->Width(), 5);
        ASSERT_EQ(copy.Mark()->Height(), 3);
        EXPECT_EQ(copy.Mark()->PixelFormat(), pf8bit);
        EXPECT_EQ(copy.Mark()->Palette()[200].rgbGreen, 20);
        EXPECT_EQ(static_cast<BYTE*>(copy.Mark()->ScanLine(2))[4], 77);
        EXPECT_EQ(copy.Mark()->SaveToBytes(), file);
    }

    TBitmapHolder broken(nullptr);
    try {
        ReadFormText(&broken, "TBitmapHolder H {\n  Mark.Data = hex{0100000042}\n}", "TBITMAPHOLDER");
        ADD_FAILURE() << "a broken bitmap was read";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "TBITMAPHOLDER(2): H.Mark.Data: Invalid bitmap: too short");
    }
    EXPECT_TRUE(broken.Mark()->Empty());
}

}  // namespace
