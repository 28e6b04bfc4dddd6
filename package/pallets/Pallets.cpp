// Pallets: drag a widget onto a data pallet, say how many, and that many
// records describing it go into the widgets table; each pallet's widgets
// and their total cost show beside it. The database is the SQLite file
// beside the program unless the command line names another
// (database_setting.h).
#include <windows.h>

#include "PalletsForm.h"
#include "database_setting.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle("Pallets");
        // The form names its widgets and pallets by class: the unit's
        // own registration for programs, and the two classes it leaves out.
        Widgets::RegisterShort();
        RegisterClasses({&TChip::StaticClass(), &TDataPallet::StaticClass()});
        AnsiString connection = DatabaseConnectionFromArguments(ProgramArguments());
        Application->CreateForm(PalletsForm);
        PalletsForm->OpenDatabase(connection);
        Application->Run();
    } catch (const Exception& error) {
        Application->ShowException(error);
        return 1;
    }
    return 0;
}
