// TDataPallet: a pallet that stores the widgets dropped on it. It asks how
// many of the widget to store and inserts that many records describing
// it, with the pallet's number, into the table WidgetsTable refers to.
// The pallet refers to its table and query without owning them, and
// forgets either when it goes away.
#pragma once
#include "data/data.h"
#include "Widgets/pallet.h"
#include "Widgets/widget.h"

// The unit's two queries on a widgets table, each ending in a blank,
// ready for a pallet number.
inline constexpr char PalletWidgetsSQL[] = "Select * from Widgets where PalletNumber = ";
inline constexpr char PalletCostSQL[] = "Select Sum(Cost) from Widgets where PalletNumber = ";
// One of them for the table tableName, with the pallet number as the
// bound parameter :PalletNumber instead of text to append.
AnsiString PalletQueryText(const char* query, const AnsiString& tableName);

class TDataPallet : public TCustomPallet {
    FRAME_CLASS(TDataPallet, TCustomPallet)
public:
    explicit TDataPallet(TComponent* AOwner);
    ~TDataPallet() override;

    TTable* WidgetsTable() const { return FWidgetsTable; }
    void SetWidgetsTable(TTable* Value);
    TQuery* WidgetsQuery() const { return FWidgetsQuery; }
    void SetWidgetsQuery(TQuery* Value);

    // Accepts any widget, refuses anything else.
    void PalletDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // Asks how many of the dropped widget to store and stores them.
    void PalletDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    // Count records describing Widget, each inserted and posted on its
    // own (nothing for 0 or less). A record that fails is cancelled and
    // the failure raised; the records posted before it stay.
    virtual void InsertWidgets(int Count, TWidget* Widget);

    // The pallet's widgets: WidgetsQuery, on WidgetsTable's database and
    // table, selecting this pallet's records, opened.
    void OpenWidgets();
    // The total cost of the pallet's widgets (0 for none), asked afresh.
    Currency TotalCost();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TTable& RequireTable() const;
    void SelectPallet(TQuery& query, const char* text) const;

    TTable* FWidgetsTable = nullptr;
    TQuery* FWidgetsQuery = nullptr;
};
