#include "PalletsForm.h"

TPalletsForm* PalletsForm = nullptr;

namespace {

template <class T>
T* Named(TComponent* owner, const AnsiString& name) {
    auto* component = ObjectAs<T>(owner->FindComponent(name));
    if (!component) throw EInvalidOperation("the form has no " + AnsiString(T::StaticClass().Name()) + " " + name);
    return component;
}

}  // namespace

const TClassInfo& TPalletsForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPalletsForm>::Creatable("TPalletsForm", TForm::StaticClass(),
        [](auto& c) {
            c.Component("WidgetsDatabase", &TPalletsForm::WidgetsDatabase);
            c.Component("WidgetsTable", &TPalletsForm::WidgetsTable);
            c.Component("DatabaseLabel", &TPalletsForm::DatabaseLabel);
            c.Method("FormCreate", &TPalletsForm::FormCreate);
            c.Method("WidgetPressed", &TPalletsForm::WidgetPressed);
        });
    return info;
}

TPalletsForm::TPalletsForm(TComponent* owner) : TForm(owner) {}
TPalletsForm::~TPalletsForm() = default;

void TPalletsForm::FormCreate(TObject*) {
    // The widgets on the form were made when the program started.
    AnsiString now = DateTimeToStr(Now());
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* component = Components(i);
        if (auto* widget = ObjectAs<TWidget>(component)) {
            widget->SetTimeCreated(now);
            widget->OnEndDrag = TEndDragEvent(this, &TPalletsForm::WidgetDragEnded);
        } else if (auto* pallet = ObjectAs<TDataPallet>(component)) {
            FViews.push_back({pallet, Named<TListBox>(this, pallet->Name() + "List"),
                              Named<TPanel>(this, pallet->Name() + "Total")});
        }
    }
}

void TPalletsForm::OpenDatabase(const AnsiString& connectionString) {
    WidgetsDatabase->SetConnectionString(connectionString);
    CreateWidgetsTable(*WidgetsDatabase, WidgetsTable->TableName());
    WidgetsTable->Open();
    AnsiString file = SQLiteDatabaseFile(connectionString);
    DatabaseLabel->SetCaption(file.empty() ? "Stored in the " + WidgetsDatabase->DBMSName() + " database"
                                           : "Stored in " + file);
    ShowPallets();
}

void TPalletsForm::WidgetPressed(TObject* Sender, TMouseButton Button, TShiftState, int, int) {
    if (Button == mbLeft) static_cast<TControl*>(Sender)->BeginDrag(false);
}

void TPalletsForm::WidgetDragEnded(TObject*, TObject*, int, int) {
    if (WidgetsTable->Active()) ShowPallets();
}

void TPalletsForm::ShowPallets() {
    for (const TPalletView& view : FViews) ShowPallet(view);
}

void TPalletsForm::ShowPallet(const TPalletView& view) {
    view.Pallet->OpenWidgets();
    TQuery& widgets = *view.Pallet->WidgetsQuery();
    TStringList lines;
    for (widgets.First(); !widgets.Eof(); widgets.Next())
        lines.Add(Format("%s  %m", widgets.FieldByName("Name")->AsString(), widgets.FieldByName("Cost")->AsCurrency()));
    widgets.Close();
    view.List->SetItems(&lines);
    int count = lines.Count();
    view.Total->SetCaption(Format("Pallet %d: %d %s, %m", view.Pallet->PalletNumber(), count,
                                  count == 1 ? "widget" : "widgets", view.Pallet->TotalCost()));
}
