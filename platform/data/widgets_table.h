// The widgets table the data pallets write to, and the embedded
// default: a SQLite file beside the program. A shared database is
// another connection string (a PostgreSQL server's, say) with the same
// table in it.
#pragma once
#include "framework/system/text.h"

class TDatabase;

inline constexpr char WidgetsTableName[] = "Widgets";

// "Widgets.db" in the program's folder.
AnsiString DefaultWidgetsDatabaseFile();
// Makes the widgets table when the database has none: Name, Created,
// Description, Cost (money, four decimals) and PalletNumber, with a
// generated key Id first. Connects the database if needed; raises
// EDatabaseError for a table name that is not valid.
void CreateWidgetsTable(TDatabase& database, const AnsiString& tableName = WidgetsTableName);
