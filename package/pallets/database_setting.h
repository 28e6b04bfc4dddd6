// Where the Pallets program keeps its widgets, from its command line:
//   Pallets.exe                                   Widgets.db beside the program
//   Pallets.exe <file>                            that SQLite file
//   Pallets.exe /database "<ODBC connection string>"
//                                                 any database the platform's ODBC
//                                                 reaches, a PostgreSQL server say
// A SQLite file is made, with its widgets table, when it is missing.
#pragma once
#include <vector>

#include "framework/framework.h"

// The connection string the arguments ask for; raises EConvertError,
// saying how the program is started, for anything else.
AnsiString DatabaseConnectionFromArguments(const std::vector<AnsiString>& arguments);
