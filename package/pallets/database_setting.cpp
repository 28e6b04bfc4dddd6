#include "database_setting.h"

#include "data/data.h"

namespace {

const char Usage[] =
    "Start Pallets with no argument (the database Widgets.db beside the program), with the name of a SQLite "
    "database file, or with /database \"<ODBC connection string>\".";

bool IsDatabaseSwitch(const AnsiString& argument) {
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-') &&
           UpperCase(argument.substr(1)) == "DATABASE";
}

}  // namespace

AnsiString DatabaseConnectionFromArguments(const std::vector<AnsiString>& arguments) {
    if (arguments.empty()) return SQLiteConnectionString(DefaultWidgetsDatabaseFile());
    if (arguments.size() == 2 && IsDatabaseSwitch(arguments[0]) && !arguments[1].empty()) return arguments[1];
    if (arguments.size() == 1 && !arguments[0].empty() && arguments[0][0] != '/' && arguments[0][0] != '-')
        return SQLiteConnectionString(arguments[0]);
    throw EConvertError(Usage);
}
