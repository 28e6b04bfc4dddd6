// The platform's ODBC (odbc32), wide functions only: under Wine it hands
// every call to the host's driver manager and drivers. The classes here
// go connect -> prepare -> bind -> execute -> fetch; every native call
// goes through OdbcCheck, which turns a failure into EDatabaseError with
// the handle's diagnostics and what we were doing.
#pragma once
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <vector>

#include "data/field_value.h"

// rc when the call succeeded (with or without information) or found no
// data; otherwise raises EDatabaseError.
SQLRETURN OdbcCheck(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const AnsiString& doing);

class TOdbcConnection {
public:
    TOdbcConnection();
    ~TOdbcConnection();
    TOdbcConnection(const TOdbcConnection&) = delete;
    TOdbcConnection& operator=(const TOdbcConnection&) = delete;

    // window: where the driver may ask for what the string lacks; null
    // never asks.
    void Connect(const AnsiString& connectionString, HWND window, const AnsiString& doing);
    // Ends an open transaction (rolled back) and the connection; never
    // raises: closing always closes.
    void Disconnect() noexcept;
    bool Connected() const { return FConnected; }
    SQLHDBC Handle() const { return FHandle; }

    AnsiString InfoText(SQLUSMALLINT what, const AnsiString& doing);
    // True when the driver knows the connection is lost.
    bool Dead(const AnsiString& doing);
    void SetAutoCommit(bool on, const AnsiString& doing);
    void EndTransaction(bool commit, const AnsiString& doing);

private:
    SQLHDBC FHandle = SQL_NULL_HDBC;
    bool FConnected = false;
};

// What a result set says of one of its columns.
struct TOdbcColumn {
    AnsiString Name;
    SQLSMALLINT SqlType = 0;
    SQLSMALLINT Scale = 0;
    AnsiString TypeName;   // the database's own name for the type
    AnsiString BaseTable;  // the table it comes from, as the database names it
    AnsiString BaseSchema;
};

class TOdbcStatement {
public:
    // doing: what the statement is for, in every error it raises.
    TOdbcStatement(TOdbcConnection& connection, AnsiString doing);
    ~TOdbcStatement();
    TOdbcStatement(const TOdbcStatement&) = delete;
    TOdbcStatement& operator=(const TOdbcStatement&) = delete;

    void Prepare(const AnsiString& sql);
    // The values of the prepared statement's markers, in order; they stay
    // bound (and their buffers alive) until the next BindValues.
    void BindValues(const std::vector<TFieldValue>& values);
    void Execute();
    // Rows the last INSERT, UPDATE or DELETE changed.
    long RowCount();

    int ColumnCount();
    TOdbcColumn Column(int column);  // from 1
    bool Fetch();
    // The current row's column read as the kind given.
    TFieldValue Get(int column, TFieldType type, SQLSMALLINT sqlType);

    // The catalog's primary key of a table: a result set of
    // (catalog, schema, table, column, sequence, name).
    void PrimaryKeys(const AnsiString& schema, const AnsiString& table);

private:
    struct TBound;
    SQLRETURN Check(SQLRETURN rc) const { return OdbcCheck(rc, SQL_HANDLE_STMT, FHandle, FDoing); }
    TFieldValue Text(int column);  // null or the whole text

    SQLHSTMT FHandle = SQL_NULL_HSTMT;
    AnsiString FDoing;
    std::vector<TBound> FBound;
};
