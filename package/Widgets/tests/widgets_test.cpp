// Widgets and pallets without a database: where they are made, how they
// paint (against the same drawing done with the platform's calls), the
// money a press shows in a locale the test sets, the creation time as
// text, what they publish and stream, and what registration makes known.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "testing/memory_canvas.h"
#include "Widgets/Widgets.h"

namespace {

using suite::testing::Image;
using suite::testing::MemoryCanvas;

class WidgetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(50, 50, 300, 200);
    }
    template <class T, class... Place>
    T* Make(Place... place) {
        auto control = new T(Form.get(), place...);
        control->SetParent(Form.get());
        return control;
    }
    // What the control paints, 25 by 25.
    static Image Painted(TWinControl* control) {
        MemoryCanvas canvas(25, 25);
        control->PaintTo(canvas.dc, 0, 0);
        return canvas.Read();
    }
    // The same steps done with the platform's own calls and a black pen.
    static Image Expected(TColor square, std::optional<TColor> disc) {
        MemoryCanvas canvas(25, 25);
        SelectObject(canvas.dc, GetStockObject(BLACK_PEN));
        SelectObject(canvas.dc, GetStockObject(DC_BRUSH));
        SetDCBrushColor(canvas.dc, ColorToRGB(square));
        Rectangle(canvas.dc, 0, 0, 25, 25);
        if (disc) {
            SetDCBrushColor(canvas.dc, ColorToRGB(*disc));
            Ellipse(canvas.dc, 0, 0, 25, 25);
        }
        return canvas.Read();
    }
    static std::array<int, 4> Bounds(const TControl* c) { return {c->Left(), c->Top(), c->Width(), c->Height()}; }
    // A colour as a captured pixel holds it: 0x00RRGGBB.
    static uint32_t Rgb(TColor color) {
        uint32_t c = ColorToRGB(color);
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    std::unique_ptr<TForm> Form;
};

// Records every dialog asked for and answers messages with OK.
struct DialogLog {
    std::vector<TDialogQuestion> Questions;
    TDialogAnswererScope Scope{[this](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        Questions.push_back(q);
        return TDialogAnswer{mrOk, "", clBlack};
    }};
};

// The user's money format for as long as it lives.
struct CurrencyLocale {
    CurrencyLocale(const char* symbol, int format, int negativeFormat) {
        TFormatSettings& s = FormatSettings();
        s.CurrencyString = symbol;
        s.CurrencyFormat = format;
        s.NegCurrFormat = negativeFormat;
        s.CurrencyDecimals = 2;
        s.CurrencyThousandSeparator = ",";
        s.CurrencyDecimalSeparator = ".";
    }
    ~CurrencyLocale() { FormatSettings() = Saved; }
    TFormatSettings Saved = FormatSettings();
};

TEST_F(WidgetsTest, ConstructorsPlaceSizeAndBindThePressOnlyWhenGivenAPlace) {
    auto* placed = Make<TPentiumPro>(10, 20);
    EXPECT_EQ(Bounds(placed), (std::array{10, 20, 25, 25}));
    EXPECT_EQ(placed->OnMouseDown, TMouseEvent(static_cast<TWidget*>(placed), &TWidget::WidgetMouseDown));
    EXPECT_EQ(placed->Cost().Val, 0);
    EXPECT_EQ(placed->TimeCreatedValue().Val, 0.0);
    EXPECT_TRUE(placed->Description().empty());

    auto* designed = Make<TChip>();
    EXPECT_EQ(Bounds(designed), (std::array{0, 0, 25, 25}));
    EXPECT_FALSE(designed->OnMouseDown);

    auto* pallet = Make<TPallet>();
    EXPECT_EQ(Bounds(pallet), (std::array{0, 0, 25, 25}));
    EXPECT_EQ(pallet->Color(), clBlue);
    EXPECT_EQ(pallet->PalletNumber(), 0);
    EXPECT_FALSE(pallet->OnDragOver);
    EXPECT_FALSE(pallet->OnDragDrop);
}

TEST_F(WidgetsTest, EachClassPaintsItsSquareAndDisc) {
    auto* pallet = Make<TPallet>();
    pallet->SetColor(clLime);
    const struct {
        const char* name;
        TWinControl* control;
        TColor square;
        std::optional<TColor> disc;
    } cases[] = {
        {"TWidget", Make<TWidget>(), clBlue, clYellow},     {"TChip", Make<TChip>(), clBlue, clYellow},
        {"TPentium", Make<TPentium>(), clPurple, clRed},    {"TPentiumPro", Make<TPentiumPro>(), clGreen, clBlue},
        {"TPallet", pallet, clLime, std::nullopt},          {"TDataPallet", Make<TDataPallet>(), clBlue, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Image painted = Painted(c.control), expected = Expected(c.square, c.disc);
        EXPECT_EQ(painted.pixels, expected.pixels);
        // The reference itself shows the square and the disc.
        EXPECT_EQ(expected.At(2, 2), Rgb(c.square));
        EXPECT_EQ(expected.At(12, 12), Rgb(c.disc.value_or(c.square)));
    }
}

TEST_F(WidgetsTest, APressShowsTheCostAsMoneyInTheUsersSettings) {
    CurrencyLocale locale("kr", 3, 8);  // "1 kr", negative "-1 kr"
    auto* widget = Make<TWidget>(10, 20);
    auto* designed = Make<TWidget>();
    designed->SetCost(Currency::FromRaw(10000));
    DialogLog dialogs;
    designed->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    designed->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(dialogs.Questions.empty()) << "a designed widget has no press handler";

    widget->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    widget->SetCost(Currency::FromRaw(-12345000));
    widget->Perform(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 5));
    widget->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(dialogs.Questions.size(), 2u);
    EXPECT_EQ(dialogs.Questions[0].Kind, TDialogKind::Message);
    EXPECT_EQ(dialogs.Questions[0].Text, "0.00 kr");
    EXPECT_EQ(dialogs.Questions[1].Text, "-1,234.50 kr");
}

TEST_F(WidgetsTest, TimeCreatedIsTheFrameworksTextAndRefusesWhatIsNoDate) {
    auto* widget = Make<TWidget>();
    EXPECT_EQ(widget->GetTimeCreated(), DateTimeToStr(TDateTime(0.0)));

    TDateTime moment(EncodeDate(2026, 3, 14).Val + EncodeTime(9, 26, 53, 0).Val);
    widget->SetTimeCreated(" " + DateTimeToStr(moment));
    EXPECT_DOUBLE_EQ(widget->TimeCreatedValue().Val, moment.Val);
    EXPECT_EQ(widget->GetTimeCreated(), DateTimeToStr(moment));

    EXPECT_THROW(widget->SetTimeCreated("soon"), EConvertError);
    EXPECT_THROW(widget->SetTimeCreated("2/30/2026"), EConvertError);
    EXPECT_DOUBLE_EQ(widget->TimeCreatedValue().Val, moment.Val);
}

TEST_F(WidgetsTest, ADataPalletAcceptsEveryWidgetAndNothingElse) {
    auto* pallet = Make<TDataPallet>();
    std::vector<TControl*> widgets = {Make<TWidget>(), Make<TChip>(), Make<TPentium>(), Make<TPentiumPro>()};
    for (TControl* source : widgets) {
        bool accept = false;
        pallet->DragOver(source, 3, 3, dsDragEnter, accept);
        EXPECT_TRUE(accept) << source->ClassType().Name();
    }
    for (TObject* source : std::initializer_list<TObject*>{Make<TPallet>(), Make<TButton>(), Form.get(), nullptr}) {
        bool accept = true;
        pallet->DragOver(source, 3, 3, dsDragMove, accept);
        EXPECT_FALSE(accept);
    }
}

TEST_F(WidgetsTest, ADropWithoutATableSaysSoAndAsksNothing) {
    auto* pallet = Make<TDataPallet>();
    auto* widget = Make<TWidget>();
    auto* table = new TTable(Form.get());
    auto* query = new TQuery(Form.get());
    pallet->SetWidgetsTable(table);
    pallet->SetWidgetsQuery(query);
    // The table and query go away: the pallet forgets them instead of
    // using freed components on the next drop.
    delete table;
    delete query;
    EXPECT_EQ(pallet->WidgetsTable(), nullptr);
    EXPECT_EQ(pallet->WidgetsQuery(), nullptr);
    DialogLog dialogs;
    pallet->DragDrop(widget, 3, 3);
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dialogs.Questions[0].Kind, TDialogKind::Message);
    EXPECT_EQ(dialogs.Questions[0].Text, "No table assigned to the WidgetsTable property");
    EXPECT_NO_THROW(pallet->InsertWidgets(0, widget));
    EXPECT_THROW(pallet->InsertWidgets(1, widget), EDatabaseError);
}

TEST_F(WidgetsTest, WidgetsAndPalletsStreamWhatTheyPublish) {
    Widgets::RegisterShort();
    auto* widget = Make<TPentium>();
    widget->SetName("Pentium1");
    widget->SetCost(Currency::FromRaw(199999));
    widget->SetDescription("a \"fast\" one");
    widget->SetTimeCreated(DateTimeToStr(EncodeDate(2026, 1, 2)));
    TMemoryStream stream;
    WriteComponent(stream, widget, {}, TComponentFormat::Text);
    stream.SetPosition(0);
    std::unique_ptr<TComponent> copy(ReadComponent(stream, nullptr));
    auto* read = ObjectAs<TPentium>(copy.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Cost().Val, 199999);
    EXPECT_EQ(read->Description(), widget->Description());
    EXPECT_EQ(read->GetTimeCreated(), widget->GetTimeCreated());

    EXPECT_EQ(TWidget::StaticClass().FindProperty("DragMode"), nullptr) << "the program starts a widget's drag";
    EXPECT_NE(TPallet::StaticClass().FindProperty("OnDragOver"), nullptr);
    // A data pallet's drag events are its own handlers, never written.
    EXPECT_EQ(TDataPallet::StaticClass().FindProperty("OnDragOver"), nullptr);
    EXPECT_EQ(TDataPallet::StaticClass().FindProperty("OnDragDrop"), nullptr);
}

TEST_F(WidgetsTest, RegisterFillsThePageAndRegisterShortOnlyNamesClasses) {
    UnRegisterPalettePage("Corvan");
    Widgets::RegisterShort();
    EXPECT_TRUE(PalettePage("Corvan").empty());
    for (const char* name : {"TWidget", "TPentium", "TPentiumPro", "TPallet"}) EXPECT_NE(GetClass(name), nullptr) << name;

    Widgets::Register();
    std::vector<const TClassInfo*> page = PalettePage("Corvan");
    std::vector<const TClassInfo*> expected = {&TWidget::StaticClass(), &TPentium::StaticClass(),
                                               &TPentiumPro::StaticClass(), &TPallet::StaticClass(),
                                               &TDataPallet::StaticClass()};
    EXPECT_EQ(page, expected);
    UnRegisterPalettePage("Corvan");
}

}  // namespace
