// The Pallets program's one form: widgets and chips to drag, data pallets
// that store the widgets dropped on them in the widgets table, and beside
// each pallet its widgets and their total cost, read back from the
// database whenever a drag ends. Each pallet's list and total are the
// components named after it: Pallet1List and Pallet1Total for Pallet1.
#pragma once
#include <vector>

#include "Widgets/Widgets.h"
#include "data/data.h"
#include "framework/framework.h"

class TPalletsForm : public TForm {
    FRAME_CLASS(TPalletsForm, TForm)
public:
    explicit TPalletsForm(TComponent* owner);
    ~TPalletsForm() override;

    TDatabase* WidgetsDatabase = nullptr;
    TTable* WidgetsTable = nullptr;
    TLabel* DatabaseLabel = nullptr;

    // Connects to the database, makes the widgets table when it has none,
    // opens it and shows what every pallet holds.
    void OpenDatabase(const AnsiString& connectionString);

    void FormCreate(TObject* Sender);
    // The left button on a widget starts its drag (once the pointer moves).
    void WidgetPressed(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // Dropped or not, and even when the drop failed, the pallets show
    // what the database now holds.
    void WidgetDragEnded(TObject* Sender, TObject* Target, int X, int Y);

private:
    struct TPalletView {
        TDataPallet* Pallet;
        TListBox* List;
        TPanel* Total;
    };
    void ShowPallet(const TPalletView& view);
    void ShowPallets();

    std::vector<TPalletView> FViews;
};

extern TPalletsForm* PalletsForm;
