#include "data/database.h"

#include <algorithm>

#include "data/database_error.h"
#include "data/dataset.h"
#include "data/odbc.h"
#include "data/sqlite_file.h"
#include "data/wide_text.h"
#include "framework/classes/class_registry.h"
#include "framework/classes/published.h"

namespace {

// Every database of the program, for datasets that look one up by name.
std::vector<TDatabase*>& AllDatabases() {
    static std::vector<TDatabase*> databases;
    return databases;
}

const TClassRegistration registration{&TDatabase::StaticClass()};

bool MarkedReadOnly(const AnsiString& file) {
    DWORD attributes = GetFileAttributesW(ToWide(file).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

}  // namespace

const TClassInfo& TDatabase::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDatabase>::Creatable("TDatabase", TComponent::StaticClass(), [](auto& c) {
            c.Property("DatabaseName", &TDatabase::DatabaseName, &TDatabase::SetDatabaseName);
            c.Property("ConnectionString", &TDatabase::ConnectionString, &TDatabase::SetConnectionString);
            c.Property("LoginPrompt", &TDatabase::LoginPrompt, &TDatabase::SetLoginPrompt);
            c.Property("Connected", &TDatabase::Connected, &TDatabase::SetConnected);
        });
    return info;
}

TDatabase::TDatabase(TComponent* owner) : TComponent(owner) { AllDatabases().push_back(this); }

TDatabase::~TDatabase() {
    Close();
    std::erase(AllDatabases(), this);
}

AnsiString TDatabase::Describe() const {
    if (!FDatabaseName.empty()) return "database " + FDatabaseName;
    return Name().empty() ? AnsiString("a database without a name") : "database " + Name();
}

void TDatabase::CheckDisconnected(const char* what) const {
    if (Connected()) throw EDatabaseError(Describe() + ": cannot change the " + what + " while connected");
}

void TDatabase::SetDatabaseName(const AnsiString& name) {
    if (name == FDatabaseName) return;
    CheckDisconnected("DatabaseName");
    FDatabaseName = name;
}

void TDatabase::SetConnectionString(const AnsiString& text) {
    if (text == FConnectionString) return;
    CheckDisconnected("ConnectionString");
    FConnectionString = text;
}

bool TDatabase::Connected() const {
    if (HasState(csLoading)) return FStreamedConnected;
    return FConnection != nullptr;
}

void TDatabase::SetConnected(bool connected) {
    if (HasState(csLoading)) {
        FStreamedConnected = connected;
        return;
    }
    if (connected) Open();
    else Close();
}

void TDatabase::Loaded() {
    TComponent::Loaded();
    if (FStreamedConnected) Open();
}

void TDatabase::Open() {
    if (FConnection) return;
    AnsiString doing = "connecting to " + Describe();
    if (FConnectionString.empty()) throw EDatabaseError(doing + ": no ConnectionString");
    auto connection = std::make_unique<TOdbcConnection>();
    HWND window = nullptr;
    if (FLoginPrompt) window = GetActiveWindow() ? GetActiveWindow() : GetDesktopWindow();
    // The connection string is never part of a message: it may hold a password.
    connection->Connect(SQLiteConnectionForDriver(FConnectionString), window, doing);
    AnsiString dbms = connection->InfoText(SQL_DBMS_NAME, doing);
    AnsiString quote = Trim(connection->InfoText(SQL_IDENTIFIER_QUOTE_CHAR, doing));
    FConnection = std::move(connection);
    FDBMSName = dbms;
    FQuote = quote;
    // A file marked read-only stays unchanged even for a user whose rights
    // would let the driver write it anyway (an administrator, root under Wine).
    AnsiString file = SQLiteDatabaseFile(FConnectionString);
    if (!file.empty() && MarkedReadOnly(file)) {
        try {
            Execute("PRAGMA query_only = 1");
        } catch (...) {
            Close();
            throw;
        }
    }
}

void TDatabase::Close() {
    while (!FDataSets.empty()) FDataSets.back()->Close();
    if (!FConnection) return;
    FInTransaction = false;
    FConnection.reset();  // rolls back what is open and disconnects
    FDBMSName.clear();
    FQuote.clear();
}

TOdbcConnection& TDatabase::Connection() const {
    if (!FConnection) throw EDatabaseError(Describe() + ": not connected");
    return *FConnection;
}

void TDatabase::StartTransaction() {
    TOdbcConnection& connection = Connection();
    if (FInTransaction) throw EDatabaseError(Describe() + ": a transaction is already active");
    connection.SetAutoCommit(false, "starting a transaction on " + Describe());
    FInTransaction = true;
}

void TDatabase::Commit() {
    TOdbcConnection& connection = Connection();
    if (!FInTransaction) throw EDatabaseError(Describe() + ": no transaction to commit");
    if (connection.Dead("committing on " + Describe())) {
        FInTransaction = false;
        throw EDatabaseError(Describe() + ": the connection was lost, so the transaction was not committed");
    }
    // A commit that fails leaves the transaction open: Rollback ends it.
    connection.EndTransaction(true, "committing on " + Describe());
    FInTransaction = false;
    connection.SetAutoCommit(true, "ending a transaction on " + Describe());
}

void TDatabase::Rollback() {
    TOdbcConnection& connection = Connection();
    if (!FInTransaction) throw EDatabaseError(Describe() + ": no transaction to roll back");
    FInTransaction = false;
    connection.EndTransaction(false, "rolling back on " + Describe());
    connection.SetAutoCommit(true, "ending a transaction on " + Describe());
}

void TDatabase::Execute(const AnsiString& sql) {
    TOdbcStatement statement(Connection(), "executing a statement on " + Describe());
    statement.Prepare(sql);
    statement.Execute();
}

AnsiString TDatabase::QuoteIdentifier(const AnsiString& name) const {
    if (FQuote.empty()) return name;
    AnsiString out = FQuote;
    for (char c : name) {
        out += c;
        if (FQuote.size() == 1 && c == FQuote[0]) out += c;
    }
    return out + FQuote;
}

TDatabase* TDatabase::Find(const AnsiString& name, const TComponent* from) {
    std::vector<TDatabase*> named;
    for (TDatabase* d : AllDatabases()) {
        if (!SameText(d->FDatabaseName, name)) continue;
        if (from && d->Owner() == from->Owner()) return d;
        named.push_back(d);
    }
    if (named.size() > 1)
        throw EDatabaseError("several databases are named " + name + ": give the dataset one of its own form");
    return named.empty() ? nullptr : named.front();
}

void TDatabase::Attach(TDataSet* dataSet) {
    FDataSets.push_back(dataSet);
    FreeNotification(dataSet);
}

void TDatabase::Detach(TDataSet* dataSet) {
    std::erase(FDataSets, dataSet);
    RemoveFreeNotification(dataSet);
}

void TDatabase::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) std::erase(FDataSets, component);
    TComponent::Notification(component, operation);
}
