#include "data/sqlite_file.h"

#include <windows.h>

#include "data/connection_string.h"
#include "data/database_error.h"
#include "data/wide_text.h"
#include "framework/system/conversions.h"

namespace {

const char DatabaseKey[] = "Database";

bool IsSpecialName(const AnsiString& name) {
    return name.empty() || name == ":memory:" || name.rfind("file:", 0) == 0 || name[0] == '/';
}

}  // namespace

AnsiString SQLiteConnectionString(const AnsiString& file, int timeoutMs) {
    AnsiString text = WithConnectionStringValue("DRIVER={SQLite3};", DatabaseKey, file);
    return WithConnectionStringValue(text, "Timeout", IntToStr(timeoutMs));
}

bool IsSQLiteConnection(const AnsiString& connectionString) {
    return UpperCase(ConnectionStringValue(connectionString, "DRIVER")).find("SQLITE") != AnsiString::npos;
}

AnsiString SQLiteDatabaseFile(const AnsiString& connectionString) {
    if (!IsSQLiteConnection(connectionString)) return {};
    AnsiString name = ConnectionStringValue(connectionString, DatabaseKey);
    if (IsSpecialName(name)) return {};
    std::wstring wide = ToWide(name);
    DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return name;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    full.resize(n);
    return FromWide(full);
}

AnsiString SQLiteConnectionForDriver(const AnsiString& connectionString) {
    AnsiString file = SQLiteDatabaseFile(connectionString);
    if (file.empty()) return connectionString;
    AnsiString host = HostPath(file);
    // The driver reads a value in braces with its braces: there is no way
    // to hand it a semicolon.
    if (host.find(';') != AnsiString::npos)
        throw EDatabaseError("the SQLite driver cannot open a file whose path holds a ';' (" + file + ")");
    return WithConnectionStringValue(connectionString, DatabaseKey, host);
}

AnsiString HostPath(const AnsiString& windowsPath) {
    // Wine's kernel32 says where a Windows path lies on the host; Windows
    // has no such function and needs no conversion.
    using UnixFileName = char*(CDECL*)(const WCHAR*);
    static const auto convert = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return windowsPath;
    std::wstring wide = ToWide(windowsPath);
    char* unixPath = convert(wide.c_str());
    if (!unixPath) return windowsPath;
    AnsiString host = FromUtf8(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return host;
}
