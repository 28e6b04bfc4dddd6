// Tables and queries against both databases: what is posted comes back
// exactly, money to the fourth decimal; wrong use is refused and changes
// nothing; values never become part of the statement's text.
#include "database_fixture.h"

namespace {

using Data = DatabaseTest;

TEST_P(Data, PostedRecordsComeBackInAFreshTableWithTheirKeys) {
    Table->Open();
    EXPECT_EQ(Table->RecordCount(), 0);
    EXPECT_TRUE(Table->Eof());
    TDateTime created = EncodeDate(2024, 2, 29) + EncodeTime(13, 14, 15, 123);
    Table->Append();
    Table->FieldByName("Name")->SetAsString("Widget1");
    Table->FieldByName("Created")->SetAsDateTime(created);
    Table->FieldByName("Description")->SetAsString("round, \"yellow\"; 'blue'");
    Table->FieldByName("Cost")->SetAsCurrency(Currency::FromRaw(123456));
    Table->FieldByName("PalletNumber")->SetAsInteger(7);
    Table->Post();
    PostWidget("Widget2", 3, 8);
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(Table->RecordCount(), 2);

    TTable again(&Root);
    again.SetDatabaseName("TestDB");
    again.SetTableName(TableName);
    again.Open();
    ASSERT_EQ(again.RecordCount(), 2);
    EXPECT_EQ(again.FieldCount(), 6);
    EXPECT_TRUE(again.FieldByName("Id")->IsKey());
    EXPECT_EQ(again.FieldByName("Cost")->DataType(), ftCurrency);
    EXPECT_EQ(again.FieldByName("Created")->DataType(), ftDateTime);
    EXPECT_EQ(again.FieldByName("PalletNumber")->DataType(), ftInteger);
    EXPECT_FALSE(again.FieldByName("Id")->IsNull());
    EXPECT_EQ(again.FieldByName("Name")->AsString(), "Widget1");
    EXPECT_EQ(again.FieldByName("Created")->AsDateTime().Val, created.Val);
    EXPECT_EQ(again.FieldByName("Description")->AsString(), "round, \"yellow\"; 'blue'");
    EXPECT_EQ(again.FieldByName("Cost")->AsCurrency(), Currency::FromRaw(123456));
    EXPECT_EQ(again.FieldByName("PalletNumber")->AsInteger(), 7);
    again.Next();
    EXPECT_FALSE(again.Eof());
    EXPECT_EQ(again.FieldByName("Name")->AsString(), "Widget2");
    EXPECT_TRUE(again.FieldByName("Created")->IsNull());
    EXPECT_EQ(again.FieldByName("Created")->AsString(), "");
    again.Next();
    EXPECT_TRUE(again.Eof());
}

TEST_P(Data, MoneyComesBackExactlyToTheFourthDecimal) {
    std::vector<Currency> amounts = {Currency::FromRaw(1), Currency::FromRaw(-1), StrToCurr("19.99", InvariantFormatSettings()),
                                     Currency::FromRaw(123456789012345), Currency::FromRaw(-999999999999999)};
    if (GetParam() == TBackend::PostgreSQL) {
        amounts.push_back(Currency::FromRaw(INT64_MAX));
        amounts.push_back(Currency::FromRaw(INT64_MIN));
    }
    Table->Open();
    for (size_t i = 0; i < amounts.size(); ++i) PostWidget("W", amounts[i], static_cast<int>(i));
    Table->Close();
    Table->Open();
    ASSERT_EQ(Table->RecordCount(), static_cast<int>(amounts.size()));
    for (; !Table->Eof(); Table->Next()) {
        size_t i = static_cast<size_t>(Table->FieldByName("PalletNumber")->AsInteger());
        EXPECT_EQ(Table->FieldByName("Cost")->AsCurrency(), amounts[i]) << CurrToStr(amounts[i]);
    }
    // A bound amount finds its row exactly.
    TQuery query(&Root);
    query.SetDatabaseName("TestDB");
    query.SQL()->SetText("SELECT PalletNumber FROM " + TableName + " WHERE Cost = :Cost");
    query.ParamByName("Cost")->SetAsCurrency(amounts[3]);
    query.Open();
    ASSERT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.Fields(0)->AsInteger(), 3);

    if (GetParam() == TBackend::SQLite) {
        // SQLite keeps decimals as floating point: an amount it would round
        // is refused before anything is written.
        Table->Insert();
        EXPECT_THROW(Table->FieldByName("Cost")->SetAsCurrency(Currency::FromRaw(INT64_MAX)), EDatabaseError);
        EXPECT_TRUE(Table->FieldByName("Cost")->IsNull());
        Table->Cancel();
    }
}

TEST_P(Data, UseInTheWrongStateIsRefusedAndChangesNothing) {
    EXPECT_THROW(Table->Insert(), EDatabaseError);
    EXPECT_THROW(Table->Post(), EDatabaseError);
    EXPECT_THROW(Table->FieldByName("Name"), EDatabaseError);
    EXPECT_THROW(Table->RecordCount(), EDatabaseError);
    EXPECT_EQ(Table->State(), dsInactive);

    Table->Open();
    PostWidget("Kept", 1, 1);
    TField* name = Table->FieldByName("Name");
    try {
        name->SetAsString("Changed");
        ADD_FAILURE() << "assigned while browsing";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Table1 (" + TableName + "): not in edit or insert mode");
        EXPECT_EQ(e.SQLState(), "");
    }
    EXPECT_THROW(Table->Post(), EDatabaseError);
    EXPECT_EQ(name->AsString(), "Kept");

    Table->Insert();
    name->SetAsString("Pending");
    EXPECT_THROW(Table->Insert(), EDatabaseError);
    EXPECT_THROW(Table->Next(), EDatabaseError);
    EXPECT_THROW(Table->FieldByName("PalletNumber")->SetAsString("abc"), EConvertError);
    EXPECT_EQ(Table->State(), dsInsert);
    EXPECT_EQ(name->AsString(), "Pending");
    Table->Cancel();
    EXPECT_EQ(Table->State(), dsBrowse);
    EXPECT_EQ(name->AsString(), "Kept");
    EXPECT_EQ(RowsInDatabase(), 1);

    TQuery query(&Root);
    query.SetDatabaseName("TestDB");
    query.SQL()->SetText("SELECT * FROM " + TableName);
    query.Open();
    EXPECT_THROW(query.Insert(), EDatabaseError);
    EXPECT_THROW(query.Delete(), EDatabaseError);
    EXPECT_EQ(query.State(), dsBrowse);
}

TEST_P(Data, AMissingTableOrFieldIsAClearErrorAndWritesNothing) {
    Table->Close();
    Table->SetTableName("NoSuchTable");
    try {
        Table->Open();
        ADD_FAILURE() << "opened a table that is not there";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Doing(), "opening Table1 (NoSuchTable)");
        EXPECT_FALSE(e.SQLState().empty());
        EXPECT_NE(UpperCase(e.DriverMessage()).find("NOSUCHTABLE"), AnsiString::npos) << e.Message();
    }
    EXPECT_EQ(Table->State(), dsInactive);
    EXPECT_TRUE(Database->Connected());

    Table->SetTableName(TableName);
    Table->Open();
    Table->Insert();
    Table->FieldByName("Name")->SetAsString("Half");
    try {
        Table->FieldByName("Nmae");
        ADD_FAILURE() << "found a field that is not there";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Table1 (" + TableName + "): field 'Nmae' not found");
    }
    EXPECT_EQ(Table->State(), dsInsert);
    Table->Cancel();
    EXPECT_EQ(RowsInDatabase(), 0);
    // Nothing but a name becomes part of a statement.
    EXPECT_THROW(Table->SetTableName("Widgets; DROP TABLE Widgets"), EDatabaseError);
}

TEST_P(Data, EditAndDeleteFindTheRecordByItsKey) {
    Table->Open();
    PostWidget("A", 1, 1);
    PostWidget("B", 2, 2);
    // The database made the keys: they are known once read.
    EXPECT_THROW(Table->Edit(), EDatabaseError);
    Table->Refresh();
    Table->First();
    Table->Edit();
    Table->FieldByName("Cost")->SetAsCurrency(Currency::FromRaw(55555));
    Table->Post();
    Table->Last();
    Table->Delete();
    EXPECT_EQ(Table->RecordCount(), 1);

    TQuery query(&Root);
    query.SetDatabaseName("TestDB");
    query.SQL()->SetText("SELECT Name, Cost FROM " + TableName);
    query.Open();
    ASSERT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.FieldByName("Name")->AsString(), "A");
    EXPECT_EQ(query.FieldByName("Cost")->AsCurrency(), Currency::FromRaw(55555));
}

TEST_P(Data, QueryValuesAreBoundNeverSplicedIn) {
    Table->Open();
    PostWidget("x", 1, 1);
    PostWidget("x' OR '1'='1", 2, 1);
    TQuery query(&Root);
    query.SetDatabaseName("TestDB");
    query.SQL()->SetText("SELECT Name FROM " + TableName + " WHERE Name = :Name AND PalletNumber = :Pallet -- :Not");
    ASSERT_EQ(query.ParamCount(), 2);
    query.ParamByName("Name")->SetAsString("x' OR '1'='1");
    EXPECT_THROW(query.Open(), EDatabaseError);  // :Pallet has no value yet
    query.ParamByName("Pallet")->SetAsInteger(1);
    query.Open();
    ASSERT_EQ(query.RecordCount(), 1);
    EXPECT_EQ(query.Fields(0)->AsString(), "x' OR '1'='1");

    TQuery change(&Root);
    change.SetDatabaseName("TestDB");
    change.SQL()->SetText("UPDATE " + TableName + " SET PalletNumber = :New WHERE PalletNumber = :Old");
    change.ParamByName("New")->SetAsInteger(9);
    change.ParamByName("Old")->SetAsInteger(1);
    EXPECT_THROW(change.Open(), EDatabaseError);  // no rows to show: not run
    change.ExecSQL();
    EXPECT_EQ(change.RowsAffected(), 2);
}

TEST_P(Data, ATransactionKeepsAllOrNothing) {
    Table->Open();
    Database->StartTransaction();
    EXPECT_THROW(Database->StartTransaction(), EDatabaseError);
    PostWidget("Gone", 1, 1);
    Database->Rollback();
    EXPECT_EQ(RowsInDatabase(), 0);

    Database->StartTransaction();
    PostWidget("Kept", 1, 1);
    Database->Commit();
    EXPECT_THROW(Database->Commit(), EDatabaseError);
    EXPECT_EQ(RowsInDatabase(), 1);
}

INSTANTIATE_TEST_SUITE_P(Both, Data, ::testing::Values(TBackend::SQLite, TBackend::PostgreSQL), BackendName);

}  // namespace
