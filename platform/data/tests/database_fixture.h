// Both databases for the data-access tests: a SQLite file of the test's
// own, and the PostgreSQL server whose ODBC connection string
// tools/test.sh hands over in SUITE_POSTGRES. Without one a PostgreSQL
// test fails, saying why, unless SUITE_NO_POSTGRES=1 opts out.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "data/data.h"

enum class TBackend { SQLite, PostgreSQL };

inline std::string BackendName(const ::testing::TestParamInfo<TBackend>& info) {
    return info.param == TBackend::SQLite ? "SQLite" : "PostgreSQL";
}

// The server's connection string; without one, "" after failing the
// current test (or skipping it when the developer opted out).
void PostgresForTest(AnsiString& connection);
// A fresh, empty SQLite file name in the temporary folder (and its
// removal at the end of the test).
class TTempFile {
public:
    explicit TTempFile(const char* suffix = ".db");
    ~TTempFile();
    const AnsiString& Path() const { return FPath; }

private:
    AnsiString FPath;
};

// A connected database of the backend with a widgets table of a name of
// its own (dropped at the end), and a table component on it.
class DatabaseTest : public ::testing::TestWithParam<TBackend> {
protected:
    void SetUp() override;
    void TearDown() override;

    // Inserts and posts one widget record into Table.
    void PostWidget(const AnsiString& name, Currency cost, int pallet);
    // The number of rows the database holds, asked afresh.
    int RowsInDatabase();

    TComponent Root{nullptr};
    std::unique_ptr<TTempFile> File;
    TDatabase* Database = nullptr;
    TTable* Table = nullptr;
    AnsiString TableName;
};
