// ODBC connection strings ("DRIVER={SQLite3};Database=w.db;Timeout=500;"):
// key=value pairs separated by semicolons, keys without regard to case,
// a value in braces when it holds a semicolon or a brace ("}}" is a
// brace inside braces).
#pragma once
#include "framework/system/text.h"

// The value of key ("" when absent).
AnsiString ConnectionStringValue(const AnsiString& text, const AnsiString& key);
// The string with key set to value (replaced in place, or added at the end).
AnsiString WithConnectionStringValue(const AnsiString& text, const AnsiString& key, const AnsiString& value);
