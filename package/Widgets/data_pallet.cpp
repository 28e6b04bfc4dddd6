#include "Widgets/data_pallet.h"

#include "framework/classes/published.h"
#include "framework/controls/common_properties.h"

namespace {

const char NoTableMessage[] = "No table assigned to the WidgetsTable property";

// Points field at value, moving the free notification along with it.
template <class T>
void Refer(TComponent* self, T*& field, T* value) {
    if (field == value) return;
    if (field) field->RemoveFreeNotification(self);
    field = value;
    if (value) value->FreeNotification(self);
}

}  // namespace

AnsiString PalletQueryText(const char* query, const AnsiString& tableName) {
    AnsiString text = query;
    text.replace(text.find(WidgetsTableName), sizeof WidgetsTableName - 1, tableName);
    return text + ":PalletNumber";
}

const TClassInfo& TDataPallet::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDataPallet>::Creatable("TDataPallet", TCustomPallet::StaticClass(),
        [](auto& c) {
            c.Property("WidgetsTable", &TDataPallet::WidgetsTable, &TDataPallet::SetWidgetsTable);
            c.Property("WidgetsQuery", &TDataPallet::WidgetsQuery, &TDataPallet::SetWidgetsQuery);
            PublishPalletNumber(c);
            c.Publish("Hint");
            PublishPalletColor(c);
            c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
            c.Publish("OnMouseDown");
            c.Publish("PopupMenu");
            // The pallet's own handlers are bound to these.
            c.Hide("OnDragOver");
            c.Hide("OnDragDrop");
        });
    return info;
}

TDataPallet::TDataPallet(TComponent* AOwner) : TCustomPallet(AOwner) {
    OnDragOver = TDragOverEvent(this, &TDataPallet::PalletDragOver);
    OnDragDrop = TDragDropEvent(this, &TDataPallet::PalletDragDrop);
}

TDataPallet::~TDataPallet() = default;

void TDataPallet::SetWidgetsTable(TTable* Value) { Refer(this, FWidgetsTable, Value); }

void TDataPallet::SetWidgetsQuery(TQuery* Value) { Refer(this, FWidgetsQuery, Value); }

void TDataPallet::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomPallet::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FWidgetsTable) FWidgetsTable = nullptr;
    if (AComponent == FWidgetsQuery) FWidgetsQuery = nullptr;
}

void TDataPallet::PalletDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    Accept = ObjectAs<TWidget>(Source) != nullptr;
}

void TDataPallet::PalletDragDrop(TObject*, TObject* Source, int, int) {
    if (!FWidgetsTable) {
        ShowMessage(NoTableMessage);
        return;
    }
    auto* widget = ObjectAs<TWidget>(Source);
    if (!widget) return;
    AnsiString answer;
    if (!InputQuery("Widget Number Dialog", "Enter number of " + widget->Name(), answer)) return;
    InsertWidgets(StrToInt(answer), widget);
}

void TDataPallet::InsertWidgets(int Count, TWidget* Widget) {
    if (Count <= 0) return;
    TTable& table = RequireTable();
    for (int i = 0; i < Count; ++i) {
        table.Insert();
        try {
            table.FieldByName("Name")->SetAsString(Widget->Name());
            table.FieldByName("Created")->SetAsString(Widget->GetTimeCreated());
            table.FieldByName("Description")->SetAsString(Widget->Description());
            table.FieldByName("Cost")->SetAsCurrency(Widget->Cost());
            table.FieldByName("PalletNumber")->SetAsInteger(PalletNumber());
            table.Post();
        } catch (...) {
            // A record left half-made would refuse the next drop's Insert.
            table.Cancel();
            throw;
        }
    }
}

void TDataPallet::OpenWidgets() {
    if (!FWidgetsQuery) throw EDatabaseError("No query assigned to the WidgetsQuery property");
    SelectPallet(*FWidgetsQuery, PalletWidgetsSQL);
}

Currency TDataPallet::TotalCost() {
    TQuery sum(nullptr);
    SelectPallet(sum, PalletCostSQL);
    return sum.Fields(0)->AsCurrency();
}

TTable& TDataPallet::RequireTable() const {
    if (!FWidgetsTable) throw EDatabaseError(NoTableMessage);
    return *FWidgetsTable;
}

void TDataPallet::SelectPallet(TQuery& query, const char* text) const {
    const TTable& table = RequireTable();
    query.Close();
    query.SetDatabaseName(table.DatabaseName());
    query.SQL()->SetText(PalletQueryText(text, table.TableName()));
    query.ParamByName("PalletNumber")->SetAsInteger(PalletNumber());
    query.Open();
}
