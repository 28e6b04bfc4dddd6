#include "database_fixture.h"

#include <windows.h>

#include <cstdlib>

namespace {

int NextNumber() {
    static int n = 0;
    return ++n;
}

}  // namespace

void PostgresForTest(AnsiString& connection) {
    const char* text = std::getenv("SUITE_POSTGRES");
    connection = text ? text : "";
    if (!connection.empty()) return;
    if (const char* optOut = std::getenv("SUITE_NO_POSTGRES"); optOut && *optOut == '1')
        GTEST_SKIP() << "SUITE_NO_POSTGRES=1: the PostgreSQL tests are skipped";
    FAIL() << "no PostgreSQL server: SUITE_POSTGRES holds no connection string. tools/test.sh starts one; "
              "SUITE_NO_POSTGRES=1 skips these tests on purpose.";
}

TTempFile::TTempFile(const char* suffix) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    FPath = Format("%sdata-test-%u-%d%s", folder, GetCurrentProcessId(), NextNumber(), suffix);
    DeleteFileA(FPath.c_str());
}

TTempFile::~TTempFile() {
    SetFileAttributesA(FPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(FPath.c_str());
    DeleteFileA((FPath + "-journal").c_str());
}

void DatabaseTest::SetUp() {
    AnsiString connection;
    if (GetParam() == TBackend::SQLite) {
        File = std::make_unique<TTempFile>();
        connection = SQLiteConnectionString(File->Path(), 200);
    } else {
        PostgresForTest(connection);
        if (connection.empty()) return;
    }
    Database = new TDatabase(&Root);
    Database->SetDatabaseName("TestDB");
    Database->SetConnectionString(connection);
    TableName = Format("widgets_%u_%d", GetCurrentProcessId(), NextNumber());
    CreateWidgetsTable(*Database, TableName);
    Table = new TTable(&Root);
    Table->SetName("Table1");
    Table->SetDatabaseName("TestDB");
    Table->SetTableName(TableName);
}

void DatabaseTest::TearDown() {
    if (Database && Database->Connected()) {
        if (Database->InTransaction()) Database->Rollback();
        if (GetParam() == TBackend::PostgreSQL) Database->Execute("DROP TABLE IF EXISTS " + TableName);
    }
    Root.DestroyComponents();
}

void DatabaseTest::PostWidget(const AnsiString& name, Currency cost, int pallet) {
    Table->Insert();
    Table->FieldByName("Name")->SetAsString(name);
    Table->FieldByName("Cost")->SetAsCurrency(cost);
    Table->FieldByName("PalletNumber")->SetAsInteger(pallet);
    Table->Post();
}

int DatabaseTest::RowsInDatabase() {
    TQuery count(&Root);
    count.SetDatabaseName("TestDB");
    count.SQL()->SetText("SELECT COUNT(*) FROM " + TableName);
    count.Open();
    return count.Fields(0)->AsInteger();
}
