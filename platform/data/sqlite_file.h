// SQLite database files named by connection strings. The driver is a
// host library under Wine and opens host paths: a Windows path in the
// string would make it create a host file literally named "C:\...".
#pragma once
#include "framework/system/text.h"

// A connection string for the SQLite file (made when it is missing);
// timeoutMs: how long a write waits for another writer's lock.
AnsiString SQLiteConnectionString(const AnsiString& file, int timeoutMs = 5000);
bool IsSQLiteConnection(const AnsiString& connectionString);
// The full Windows path of the file a SQLite connection string names
// ("" for an in-memory database or another driver).
AnsiString SQLiteDatabaseFile(const AnsiString& connectionString);
// The string as the driver must see it: the file as a host path under
// Wine, unchanged on Windows.
AnsiString SQLiteConnectionForDriver(const AnsiString& connectionString);
// A full Windows path as the host names it (itself on Windows).
AnsiString HostPath(const AnsiString& windowsPath);
