// The embedded database: a SQLite file named by a Windows path (the
// driver under Wine is handed the host's path), made with its widgets
// table when missing; a file another writer holds, and one marked
// read-only, refuse a Post clearly and keep the record for a retry.
#include "database_fixture.h"

#include <windows.h>

namespace {

bool FileExists(const AnsiString& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(SQLiteFile, ANewFileNamedByAWindowsPathGetsTheWidgetsTable) {
    // The default lies beside the program.
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    AnsiString folder(program);
    folder.erase(folder.find_last_of('\\') + 1);
    EXPECT_EQ(DefaultWidgetsDatabaseFile(), folder + "Widgets.db");

    // Blanks and braces in the name; a semicolon the driver cannot take.
    TTempFile file(" odd {name}.db");
    ASSERT_FALSE(FileExists(file.Path()));
    TComponent root(nullptr);
    auto* database = new TDatabase(&root);
    database->SetDatabaseName("Embedded");
    database->SetConnectionString(SQLiteConnectionString(file.Path()));
    CreateWidgetsTable(*database);
    CreateWidgetsTable(*database);  // there already: left as it is
    EXPECT_EQ(database->DBMSName(), "SQLite");
    EXPECT_TRUE(FileExists(file.Path()));

    auto* table = new TTable(&root);
    table->SetDatabaseName("Embedded");
    table->SetTableName(WidgetsTableName);
    table->Open();
    for (const char* name : {"Name", "Created", "Description", "Cost", "PalletNumber"})
        EXPECT_NE(table->FindField(name), nullptr) << name;

    TTempFile semicolon("a;b.db");
    TDatabase refused(&root);
    refused.SetConnectionString(SQLiteConnectionString(semicolon.Path()));
    EXPECT_THROW(refused.Open(), EDatabaseError);
    EXPECT_FALSE(FileExists(semicolon.Path()));
}

TEST(SQLiteFile, ALockedOrReadOnlyFileRefusesThePostAndKeepsTheRecord) {
    TTempFile file;
    TComponent root(nullptr);
    auto* writer = new TDatabase(&root);
    writer->SetDatabaseName("Writer");
    writer->SetConnectionString(SQLiteConnectionString(file.Path(), 100));
    CreateWidgetsTable(*writer);
    auto* other = new TDatabase(&root);
    other->SetDatabaseName("Other");
    other->SetConnectionString(SQLiteConnectionString(file.Path(), 100));
    auto* table = new TTable(&root);
    table->SetDatabaseName("Writer");
    table->SetTableName(WidgetsTableName);
    table->Open();

    // Another connection is in the middle of writing.
    other->Open();
    other->StartTransaction();
    other->Execute("INSERT INTO Widgets (Name) VALUES ('theirs')");
    table->Insert();
    table->FieldByName("Name")->SetAsString("mine");
    try {
        table->Post();
        ADD_FAILURE() << "posted into a locked file";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.NativeError(), 5) << e.Message();  // SQLITE_BUSY
        EXPECT_EQ(e.Doing(), "posting a new record to TTable (Widgets)");
    }
    EXPECT_EQ(table->State(), dsInsert);
    EXPECT_EQ(table->FieldByName("Name")->AsString(), "mine");
    other->Rollback();
    table->Post();
    table->Close();
    writer->Close();
    other->Close();

    // Marked read-only: even a user with the rights to write (root under
    // Wine) does not change it.
    ASSERT_TRUE(SetFileAttributesA(file.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    table->Open();
    EXPECT_EQ(table->RecordCount(), 1);
    table->Insert();
    table->FieldByName("Name")->SetAsString("more");
    try {
        table->Post();
        ADD_FAILURE() << "posted into a read-only file";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.NativeError(), 8) << e.Message();  // SQLITE_READONLY
    }
    EXPECT_EQ(table->State(), dsInsert);
    table->Cancel();
    table->Refresh();
    EXPECT_EQ(table->RecordCount(), 1);
}

}  // namespace
