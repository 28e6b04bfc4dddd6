#include "data/odbc.h"


#include "data/database_error.h"
#include "data/wide_text.h"
#include "framework/system/conversions.h"
#include "framework/system/delayed_call.h"
#include "framework/system/format_settings.h"

namespace {

// ODBC's functions, reached through its library loaded at the first call:
// a program that never opens a database does not load ODBC, which would
// cost 2 ms of each start under Wine.
namespace Odbc {

#define ODBC_DELAYED(function)                 \
    template <class... A>                      \
    SQLRETURN function(A... args) {            \
        FRAME_DELAYED("odbc32.dll", function); \
        return call(args...);                  \
    }

ODBC_DELAYED(SQLAllocHandle)
ODBC_DELAYED(SQLBindParameter)
ODBC_DELAYED(SQLColAttributeW)
ODBC_DELAYED(SQLDescribeColW)
ODBC_DELAYED(SQLDisconnect)
ODBC_DELAYED(SQLDriverConnectW)
ODBC_DELAYED(SQLEndTran)
ODBC_DELAYED(SQLExecute)
ODBC_DELAYED(SQLFetch)
ODBC_DELAYED(SQLFreeHandle)
ODBC_DELAYED(SQLFreeStmt)
ODBC_DELAYED(SQLGetConnectAttrW)
ODBC_DELAYED(SQLGetData)
ODBC_DELAYED(SQLGetDiagRecW)
ODBC_DELAYED(SQLGetInfoW)
ODBC_DELAYED(SQLNumResultCols)
ODBC_DELAYED(SQLPrepareW)
ODBC_DELAYED(SQLPrimaryKeysW)
ODBC_DELAYED(SQLRowCount)
ODBC_DELAYED(SQLSetConnectAttrW)
ODBC_DELAYED(SQLSetEnvAttr)

#undef ODBC_DELAYED

}  // namespace Odbc

// The process's one ODBC environment, version 3, made on first use.
SQLHENV Environment() {
    struct Holder {
        SQLHENV handle = SQL_NULL_HENV;
        Holder() {
            if (!SQL_SUCCEEDED(Odbc::SQLAllocHandle(SQL_HANDLE_ENV, SQLHANDLE{SQL_NULL_HANDLE}, &handle)))
                throw EDatabaseError("allocating the ODBC environment", "", 0,
                                     "the ODBC driver manager is not available");
            OdbcCheck(Odbc::SQLSetEnvAttr(handle, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
                      SQL_HANDLE_ENV, handle, "choosing ODBC version 3");
        }
        ~Holder() { Odbc::SQLFreeHandle(SQL_HANDLE_ENV, handle); }
    };
    static Holder environment;
    return environment.handle;
}

SQLWCHAR* Sql(std::wstring& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }

TDateTime FromParts(int year, int month, int day, int hour, int minute, int second, int ms) {
    double date = EncodeDate(year, month, day);
    double time = EncodeTime(hour, minute, second, ms);
    // Before 1899-12-30 the whole part counts back and the time still runs forward.
    return TDateTime(date < 0 ? date - time : date + time);
}

// Exact decimal text first; a driver that keeps decimals as floating
// point may write large or small ones with an exponent.
Currency ParseDecimal(const AnsiString& text, const AnsiString& doing) {
    Currency c;
    if (TryStrToCurr(text, c, InvariantFormatSettings())) return c;
    double d = 0;
    if (TryStrToFloat(text, d, InvariantFormatSettings())) return Currency(d);
    throw EDatabaseError(doing + ": '" + text + "' is not a decimal number");
}

}  // namespace

SQLRETURN OdbcCheck(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle, const AnsiString& doing) {
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) return rc;
    if (rc == SQL_INVALID_HANDLE) throw EDatabaseError(doing, "", 0, "invalid ODBC handle");
    AnsiString state, message;
    long native = 0;
    SQLWCHAR sqlState[6];
    SQLWCHAR text[1024];
    SQLINTEGER code = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT record = 1;
         SQL_SUCCEEDED(Odbc::SQLGetDiagRecW(handleType, handle, record, sqlState, &code, text, 1024, &length));
         ++record) {
        if (record == 1) {
            state = FromWide(reinterpret_cast<const wchar_t*>(sqlState));
            native = code;
        } else {
            message += " / ";
        }
        message += FromWide(reinterpret_cast<const wchar_t*>(text));
    }
    if (message.empty()) message = rc == SQL_NEED_DATA ? "the driver asks for data" : "the driver gave no reason";
    throw EDatabaseError(doing, state, native, message);
}

TOdbcConnection::TOdbcConnection() {
    SQLHENV environment = Environment();
    OdbcCheck(Odbc::SQLAllocHandle(SQL_HANDLE_DBC, environment, &FHandle), SQL_HANDLE_ENV, environment,
              "allocating an ODBC connection");
}

TOdbcConnection::~TOdbcConnection() {
    Disconnect();
    Odbc::SQLFreeHandle(SQL_HANDLE_DBC, FHandle);
}

void TOdbcConnection::Connect(const AnsiString& connectionString, HWND window, const AnsiString& doing) {
    std::wstring text = ToWide(connectionString);
    SQLWCHAR completed[1024];
    SQLSMALLINT length = 0;
    OdbcCheck(Odbc::SQLDriverConnectW(FHandle, window, Sql(text), static_cast<SQLSMALLINT>(text.size()), completed,
                                      1024, &length, window ? SQL_DRIVER_COMPLETE : SQL_DRIVER_NOPROMPT),
              SQL_HANDLE_DBC, FHandle, doing);
    FConnected = true;
}

void TOdbcConnection::Disconnect() noexcept {
    if (!FConnected) return;
    FConnected = false;
    // A connection with an open transaction refuses to end: roll it back
    // first. Whatever the driver answers, the connection is given up.
    try {
        OdbcCheck(Odbc::SQLEndTran(SQL_HANDLE_DBC, FHandle, SQL_ROLLBACK), SQL_HANDLE_DBC, FHandle, "rolling back");
    } catch (const EDatabaseError&) {
    }
    try {
        OdbcCheck(Odbc::SQLDisconnect(FHandle), SQL_HANDLE_DBC, FHandle, "disconnecting");
    } catch (const EDatabaseError&) {
    }
}

AnsiString TOdbcConnection::InfoText(SQLUSMALLINT what, const AnsiString& doing) {
    SQLWCHAR text[256] = {};
    SQLSMALLINT length = 0;
    OdbcCheck(Odbc::SQLGetInfoW(FHandle, what, text, sizeof text, &length), SQL_HANDLE_DBC, FHandle, doing);
    return FromWide(reinterpret_cast<const wchar_t*>(text));
}

bool TOdbcConnection::Dead(const AnsiString& doing) {
    SQLUINTEGER dead = SQL_CD_FALSE;
    OdbcCheck(Odbc::SQLGetConnectAttrW(FHandle, SQL_ATTR_CONNECTION_DEAD, &dead, sizeof dead, nullptr), SQL_HANDLE_DBC,
              FHandle, doing);
    return dead == SQL_CD_TRUE;
}

void TOdbcConnection::SetAutoCommit(bool on, const AnsiString& doing) {
    auto value = reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF));
    OdbcCheck(Odbc::SQLSetConnectAttrW(FHandle, SQL_ATTR_AUTOCOMMIT, value, SQL_IS_UINTEGER), SQL_HANDLE_DBC, FHandle,
              doing);
}

void TOdbcConnection::EndTransaction(bool commit, const AnsiString& doing) {
    OdbcCheck(Odbc::SQLEndTran(SQL_HANDLE_DBC, FHandle, commit ? SQL_COMMIT : SQL_ROLLBACK), SQL_HANDLE_DBC, FHandle,
              doing);
}

// One bound parameter's buffers: they must not move while bound.
struct TOdbcStatement::TBound {
    std::wstring text;
    int64_t integer = 0;
    double number = 0;
    SQL_TIMESTAMP_STRUCT timestamp{};
    SQLLEN indicator = 0;
};

TOdbcStatement::TOdbcStatement(TOdbcConnection& connection, AnsiString doing) : FDoing(std::move(doing)) {
    OdbcCheck(Odbc::SQLAllocHandle(SQL_HANDLE_STMT, connection.Handle(), &FHandle), SQL_HANDLE_DBC, connection.Handle(),
              FDoing);
}

TOdbcStatement::~TOdbcStatement() { Odbc::SQLFreeHandle(SQL_HANDLE_STMT, FHandle); }

void TOdbcStatement::Prepare(const AnsiString& sql) {
    std::wstring text = ToWide(sql);
    Check(Odbc::SQLPrepareW(FHandle, Sql(text), static_cast<SQLINTEGER>(text.size())));
}

void TOdbcStatement::BindValues(const std::vector<TFieldValue>& values) {
    Check(Odbc::SQLFreeStmt(FHandle, SQL_RESET_PARAMS));
    FBound.assign(values.size(), TBound{});
    for (size_t i = 0; i < values.size(); ++i) {
        const TFieldValue& value = values[i];
        TBound& b = FBound[i];
        auto number = static_cast<SQLUSMALLINT>(i + 1);
        SQLSMALLINT cType = SQL_C_WCHAR, sqlType = SQL_WVARCHAR, digits = 0;
        SQLULEN size = 1;
        SQLPOINTER data = nullptr;
        if (IsNullValue(value)) {
            b.indicator = SQL_NULL_DATA;
        } else {
            switch (KindOf(value)) {
            case ftString:
            case ftCurrency:
                // Money goes as its exact decimal text, never through floating point.
                if (KindOf(value) == ftString) {
                    b.text = ToWide(std::get<AnsiString>(value));
                    size = b.text.empty() ? 1 : b.text.size();
                } else {
                    b.text = ToWide(CurrToStr(std::get<Currency>(value), InvariantFormatSettings()));
                    sqlType = SQL_DECIMAL;
                    size = 19;
                    digits = 4;
                }
                data = b.text.data();
                b.indicator = static_cast<SQLLEN>(b.text.size() * sizeof(wchar_t));
                break;
            case ftInteger:
                b.integer = std::get<int64_t>(value);
                cType = SQL_C_SBIGINT, sqlType = SQL_BIGINT, size = 19, data = &b.integer;
                break;
            case ftFloat:
                b.number = std::get<double>(value);
                cType = SQL_C_DOUBLE, sqlType = SQL_DOUBLE, size = 15, data = &b.number;
                break;
            case ftDateTime: {
                int year, month, day, hour, minute, second, ms;
                DecodeDate(std::get<TDateTime>(value), year, month, day);
                DecodeTime(std::get<TDateTime>(value), hour, minute, second, ms);
                b.timestamp = SQL_TIMESTAMP_STRUCT{static_cast<SQLSMALLINT>(year), static_cast<SQLUSMALLINT>(month),
                                                   static_cast<SQLUSMALLINT>(day), static_cast<SQLUSMALLINT>(hour),
                                                   static_cast<SQLUSMALLINT>(minute), static_cast<SQLUSMALLINT>(second),
                                                   static_cast<SQLUINTEGER>(ms) * 1000000u};
                cType = SQL_C_TYPE_TIMESTAMP, sqlType = SQL_TYPE_TIMESTAMP, size = 23, digits = 3;
                data = &b.timestamp;
                break;
            }
            }
        }
        Check(Odbc::SQLBindParameter(FHandle, number, SQL_PARAM_INPUT, cType, sqlType, size, digits, data, 0,
                                     &b.indicator));
    }
}

void TOdbcStatement::Execute() { Check(Odbc::SQLExecute(FHandle)); }

long TOdbcStatement::RowCount() {
    SQLLEN rows = 0;
    Check(Odbc::SQLRowCount(FHandle, &rows));
    return static_cast<long>(rows);
}

int TOdbcStatement::ColumnCount() {
    SQLSMALLINT count = 0;
    Check(Odbc::SQLNumResultCols(FHandle, &count));
    return count;
}

TOdbcColumn TOdbcStatement::Column(int column) {
    auto number = static_cast<SQLUSMALLINT>(column);
    TOdbcColumn c;
    SQLWCHAR name[256];
    SQLSMALLINT nameLength = 0, nullable = 0;
    SQLULEN size = 0;
    Check(Odbc::SQLDescribeColW(FHandle, number, name, 256, &nameLength, &c.SqlType, &size, &c.Scale, &nullable));
    c.Name = FromWide(reinterpret_cast<const wchar_t*>(name));
    auto attribute = [&](SQLUSMALLINT which) {
        SQLWCHAR text[256] = {};
        SQLSMALLINT length = 0;
        Check(Odbc::SQLColAttributeW(FHandle, number, which, text, sizeof text, &length, nullptr));
        return FromWide(reinterpret_cast<const wchar_t*>(text));
    };
    c.TypeName = attribute(SQL_DESC_TYPE_NAME);
    c.BaseTable = attribute(SQL_DESC_BASE_TABLE_NAME);
    c.BaseSchema = attribute(SQL_DESC_SCHEMA_NAME);
    return c;
}

bool TOdbcStatement::Fetch() { return Check(Odbc::SQLFetch(FHandle)) != SQL_NO_DATA; }

TFieldValue TOdbcStatement::Text(int column) {
    std::wstring value;
    wchar_t buffer[512];
    constexpr size_t capacity = sizeof buffer / sizeof buffer[0];
    for (;;) {
        SQLLEN length = 0;
        SQLRETURN rc =
            Check(Odbc::SQLGetData(FHandle, static_cast<SQLUSMALLINT>(column), SQL_C_WCHAR, buffer, sizeof buffer,
                                   &length));
        if (rc == SQL_NO_DATA) break;
        if (length == SQL_NULL_DATA) return {};
        // Truncated: the buffer is full but for its terminator; the next
        // call goes on where this one stopped.
        bool more = length == SQL_NO_TOTAL || length >= static_cast<SQLLEN>(sizeof buffer);
        value.append(buffer, more ? capacity - 1 : static_cast<size_t>(length) / sizeof(wchar_t));
        if (!more) break;
    }
    return FromWide(value);
}

TFieldValue TOdbcStatement::Get(int column, TFieldType type, SQLSMALLINT sqlType) {
    auto number = static_cast<SQLUSMALLINT>(column);
    SQLLEN indicator = 0;
    auto read = [&](SQLSMALLINT cType, void* target, SQLLEN size) {
        Check(Odbc::SQLGetData(FHandle, number, cType, target, size, &indicator));
        return indicator != SQL_NULL_DATA;
    };
    switch (type) {
    case ftString:
        return Text(column);
    case ftCurrency: {
        TFieldValue text = Text(column);
        if (IsNullValue(text)) return text;
        return ParseDecimal(std::get<AnsiString>(text), FDoing);
    }
    case ftInteger: {
        int64_t v = 0;
        return read(SQL_C_SBIGINT, &v, sizeof v) ? TFieldValue(v) : TFieldValue();
    }
    case ftFloat: {
        double v = 0;
        return read(SQL_C_DOUBLE, &v, sizeof v) ? TFieldValue(v) : TFieldValue();
    }
    case ftDateTime:
        if (sqlType == SQL_TYPE_TIME) {
            SQL_TIME_STRUCT t{};
            if (!read(SQL_C_TYPE_TIME, &t, sizeof t)) return {};
            return TDateTime(EncodeTime(t.hour, t.minute, t.second, 0));
        } else {
            SQL_TIMESTAMP_STRUCT t{};
            if (!read(SQL_C_TYPE_TIMESTAMP, &t, sizeof t)) return {};
            return FromParts(t.year, t.month, t.day, t.hour, t.minute, t.second,
                             static_cast<int>(t.fraction / 1000000u));
        }
    }
    return {};
}

void TOdbcStatement::PrimaryKeys(const AnsiString& schema, const AnsiString& table) {
    std::wstring wideSchema = ToWide(schema), wideTable = ToWide(table);
    Check(Odbc::SQLPrimaryKeysW(FHandle, nullptr, 0, schema.empty() ? nullptr : Sql(wideSchema),
                          static_cast<SQLSMALLINT>(schema.empty() ? 0 : wideSchema.size()), Sql(wideTable),
                          static_cast<SQLSMALLINT>(wideTable.size())));
}
