// A second program for the two-writers test: connects to the server in
// SUITE_POSTGRES, says it is ready, waits for the start, then inserts
// its rows one by one through a table. Built against the static
// libraries, so it also shows that they work.
//   data_writer <table> <name> <count> <event>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "data/data.h"

int main(int argc, char** argv) {
    if (argc != 5) return 2;
    const AnsiString table = argv[1], name = argv[2], event = argv[4];
    const int count = std::atoi(argv[3]);
    try {
        TComponent root(nullptr);
        auto* database = new TDatabase(&root);
        database->SetDatabaseName("Writer");
        database->SetConnectionString(std::getenv("SUITE_POSTGRES") ? std::getenv("SUITE_POSTGRES") : "");
        auto* widgets = new TTable(&root);
        widgets->SetDatabaseName("Writer");
        widgets->SetTableName(table);
        widgets->Open();
        HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, (event + "-ready-" + name).c_str());
        HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, event.c_str());
        if (!ready || !go) return 3;
        SetEvent(ready);
        if (WaitForSingleObject(go, 60000) != WAIT_OBJECT_0) return 3;
        for (int i = 0; i < count; ++i) {
            widgets->Insert();
            widgets->FieldByName("Name")->SetAsString(name);
            widgets->FieldByName("PalletNumber")->SetAsInteger(i);
            widgets->Post();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "data_writer %s: %s\n", name.c_str(), e.what());
        return 1;
    }
    return 0;
}
