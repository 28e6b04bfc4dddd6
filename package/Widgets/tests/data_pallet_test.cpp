// Data pallets against both databases: what a drop asks, the answers that
// store nothing, the records a count of three stores, a record the
// database refuses half-way, the pallet's two queries, and a widget
// dragged onto a pallet with the real mouse.
#include <memory>
#include <optional>
#include <vector>

#include "database_fixture.h"
#include "testing/real_input.h"
#include "Widgets/Widgets.h"

namespace {

using namespace suite::testing;

class DataPallet : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (!Database) return;
        Form = new TForm(&Root);
        Form->SetBounds(50, 50, 300, 200);
        Pallet = new TDataPallet(Form);
        Pallet->SetParent(Form);
        Pallet->SetBounds(150, 20, 25, 25);
        Pallet->SetPalletNumber(7);
        Pallet->SetWidgetsTable(Table);
        Widget = new TPentium(Form, 20, 20);
        Widget->SetParent(Form);
        Widget->SetName("Pentium1");
        Widget->SetCost(Currency::FromRaw(199999));  // 19.9999
        Widget->SetDescription("purple, with a red disc");
        Widget->SetTimeCreated(DateTimeToStr(TDateTime(EncodeDate(2026, 3, 14).Val + EncodeTime(9, 26, 53, 0).Val)));
        Table->Open();
    }
    // Drops source on the pallet as the drag machinery does, answering the
    // question for a count with answer (nullopt: Cancel).
    void Drop(TObject* source, std::optional<AnsiString> answer) {
        TDialogAnswererScope scope([&](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
            Questions.push_back(q);
            return answer ? TDialogAnswer{mrOk, *answer, clBlack} : TDialogAnswer{mrCancel, "", clBlack};
        });
        Pallet->DragDrop(source, 5, 5);
    }
    // The rows of the widgets table, read afresh.
    void ExpectStoredWidgets(TTable& table, int count, int pallet) {
        table.Refresh();
        ASSERT_EQ(table.RecordCount(), count);
        for (table.First(); !table.Eof(); table.Next()) {
            EXPECT_EQ(table.FieldByName("Name")->AsString(), Widget->Name());
            EXPECT_DOUBLE_EQ(table.FieldByName("Created")->AsDateTime().Val, Widget->TimeCreatedValue().Val);
            EXPECT_EQ(table.FieldByName("Description")->AsString(), Widget->Description());
            EXPECT_EQ(table.FieldByName("Cost")->AsCurrency().Val, Widget->Cost().Val);
            EXPECT_EQ(table.FieldByName("PalletNumber")->AsInteger(), pallet);
        }
    }

    TForm* Form = nullptr;
    TDataPallet* Pallet = nullptr;
    TWidget* Widget = nullptr;
    std::vector<TDialogQuestion> Questions;
};

TEST_P(DataPallet, AnswersThatAreNoPositiveCountStoreNothing) {
    Drop(Widget, std::nullopt);
    ASSERT_EQ(Questions.size(), 1u);
    EXPECT_EQ(Questions[0].Kind, TDialogKind::Input);
    EXPECT_EQ(Questions[0].Caption, "Widget Number Dialog");
    EXPECT_EQ(Questions[0].Text, "Enter number of Pentium1");
    EXPECT_EQ(Questions[0].Value, "");
    Drop(Widget, "0");
    Drop(Widget, "-2");
    EXPECT_THROW(Drop(Widget, "abc"), EConvertError);
    EXPECT_EQ(Questions.size(), 4u);
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(RowsInDatabase(), 0);
}

TEST_P(DataPallet, ACountOfThreeStoresThreeIdenticalRecords) {
    Drop(Widget, "3");
    EXPECT_EQ(Table->State(), dsBrowse);
    ExpectStoredWidgets(*Table, 3, 7);
}

TEST_P(DataPallet, ARecordTheDatabaseRefusesIsCancelledAndThoseBeforeItStay) {
    // A table where a widget's name may appear once: the second record fails.
    AnsiString unique = TableName + "_once";
    Database->Execute("CREATE TABLE " + unique +
                      " (Name VARCHAR(255) PRIMARY KEY, Created TIMESTAMP, Description TEXT, Cost DECIMAL(19,4),"
                      " PalletNumber INTEGER)");
    auto* once = new TTable(&Root);
    once->SetDatabaseName("TestDB");
    once->SetTableName(unique);
    once->Open();
    Pallet->SetWidgetsTable(once);
    EXPECT_THROW(Drop(Widget, "3"), EDatabaseError);
    EXPECT_EQ(once->State(), dsBrowse) << "the next drop can insert again";
    ExpectStoredWidgets(*once, 1, 7);
    Widget->SetName("Pentium2");
    Drop(Widget, "1");
    once->Refresh();
    EXPECT_EQ(once->RecordCount(), 2);
    once->Close();
    if (GetParam() == TBackend::PostgreSQL) Database->Execute("DROP TABLE " + unique);
}

TEST_P(DataPallet, ThePalletQueriesGiveItsOwnWidgetsAndTheirTotal) {
    Drop(Widget, "3");
    Pallet->SetPalletNumber(8);
    Drop(Widget, "1");
    Pallet->SetPalletNumber(7);
    EXPECT_EQ(Pallet->TotalCost().Val, 3 * 199999);
    auto* query = new TQuery(&Root);
    EXPECT_THROW(Pallet->OpenWidgets(), EDatabaseError) << "no query assigned";
    Pallet->SetWidgetsQuery(query);
    Pallet->OpenWidgets();
    EXPECT_EQ(query->ParamByName("PalletNumber")->AsInteger(), 7);
    EXPECT_EQ(query->RecordCount(), 3);
    for (query->First(); !query->Eof(); query->Next()) EXPECT_EQ(query->FieldByName("PalletNumber")->AsInteger(), 7);
    Pallet->SetPalletNumber(9);
    EXPECT_EQ(Pallet->TotalCost().Val, 0) << "an empty pallet";
}

INSTANTIATE_TEST_SUITE_P(Both, DataPallet, ::testing::Values(TBackend::SQLite, TBackend::PostgreSQL), BackendName);

// The program starts a widget's drag when a button goes down on it.
struct TDragStarter : TObject {
    void Pressed(TObject* sender, TMouseButton, TShiftState, int, int) {
        static_cast<TControl*>(sender)->BeginDrag(true);
    }
};

using RealDrag = DataPallet;

TEST_P(RealDrag, AWidgetDraggedWithTheMouseIsStoredAsManyTimesAsAnswered) {
    TDragStarter starter;
    Widget->OnMouseDown = TMouseEvent(&starter, &TDragStarter::Pressed);
    auto pump = [] {
        for (int i = 0; i < 5; ++i) {
            Application->ProcessMessages();
            Sleep(10);
        }
    };
    Form->Show();
    Activate(Form->Handle());
    pump();
    TDialogAnswererScope scope([&](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
        Questions.push_back(q);
        return TDialogAnswer{mrOk, "3", clBlack};
    });
    DragWithMouse(Widget->Handle(), POINT{12, 12}, Pallet->Handle(), POINT{12, 12}, pump);
    pump();
    ASSERT_EQ(Questions.size(), 1u);
    EXPECT_EQ(Questions[0].Text, "Enter number of Pentium1");
    ExpectStoredWidgets(*Table, 3, 7);
}

INSTANTIATE_TEST_SUITE_P(SQLite, RealDrag, ::testing::Values(TBackend::SQLite), BackendName);

}  // namespace
