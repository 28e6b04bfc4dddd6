// TDatabase: one connection to a database through the platform's ODBC,
// chosen by its connection string (the driver decides: SQLite, a
// PostgreSQL server...). Datasets refer to it by its DatabaseName and
// find it when they open; it connects then if it is not yet connected.
// No login prompt unless LoginPrompt is set: the connection string says
// everything.
#pragma once
#include <memory>
#include <vector>

#include "framework/classes/component.h"

class TDataSet;
class TOdbcConnection;

class TDatabase : public TComponent {
    FRAME_CLASS(TDatabase, TComponent)
public:
    explicit TDatabase(TComponent* owner);
    // Closes the datasets that use it, rolls back an open transaction and
    // disconnects.
    ~TDatabase() override;

    // DatabaseName and ConnectionString cannot change while connected.
    const AnsiString& DatabaseName() const { return FDatabaseName; }
    void SetDatabaseName(const AnsiString& name);
    const AnsiString& ConnectionString() const { return FConnectionString; }
    void SetConnectionString(const AnsiString& text);
    // True: the driver may ask in a dialog for what the string lacks.
    bool LoginPrompt() const { return FLoginPrompt; }
    void SetLoginPrompt(bool prompt) { FLoginPrompt = prompt; }

    bool Connected() const;
    void SetConnected(bool connected);  // read from a form: connects when the form is loaded
    void Open();
    // Closes the datasets, rolls back an open transaction, disconnects.
    void Close();

    // Everything until Commit or Rollback is one unit: all of it is kept,
    // or none (a statement that failed is undone alone). One transaction
    // at a time. Commit raises when the connection was lost: the server
    // has dropped the transaction, though a driver may report its commit
    // as done.
    void StartTransaction();
    void Commit();
    void Rollback();  // the transaction has ended even when this raises
    bool InTransaction() const { return FInTransaction; }

    // Runs a statement without rows and without values (values go as
    // parameters of a TQuery, never into the text).
    void Execute(const AnsiString& sql);

    // While connected: the database's own name for itself ("SQLite",
    // "PostgreSQL").
    const AnsiString& DBMSName() const { return FDBMSName; }
    bool IsSQLite() const { return FDBMSName == "SQLite"; }
    // A column name as a statement must write it to mean exactly that name.
    AnsiString QuoteIdentifier(const AnsiString& name) const;

    int DataSetCount() const { return static_cast<int>(FDataSets.size()); }
    TDataSet* DataSets(int index) const { return FDataSets.at(static_cast<size_t>(index)); }

    // The connection, for datasets; raises when not connected.
    TOdbcConnection& Connection() const;
    // The database a component means by name: one with the same owner
    // first, else the only one of that name in the program (nullptr when
    // none; EDatabaseError when several could be meant).
    static TDatabase* Find(const AnsiString& name, const TComponent* from);

    // What messages call it.
    AnsiString Describe() const;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TDataSet;
    void Attach(TDataSet* dataSet);
    void Detach(TDataSet* dataSet);
    void CheckDisconnected(const char* what) const;

    AnsiString FDatabaseName;
    AnsiString FConnectionString;
    bool FLoginPrompt = false;
    bool FStreamedConnected = false;
    bool FInTransaction = false;
    std::unique_ptr<TOdbcConnection> FConnection;
    AnsiString FDBMSName;
    AnsiString FQuote;
    std::vector<TDataSet*> FDataSets;
};
