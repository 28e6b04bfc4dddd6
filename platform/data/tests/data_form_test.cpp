// Databases, tables and queries in a form resource: read and written like
// any component, opened once the whole form is loaded, and never left
// pointing at a database that is gone.
#include <gtest/gtest.h>

#include "database_fixture.h"
#include "framework/classes/published.h"
#include "framework/streaming/form_reader.h"
#include "framework/streaming/form_writer.h"

namespace {

// A root that writes what it owns, as a form does.
class TShop : public TComponent {
    FRAME_CLASS(TShop, TComponent)
public:
    using TComponent::TComponent;
    std::vector<TComponent*> GetChildren(TComponent*) const override {
        std::vector<TComponent*> children;
        for (int i = 0; i < ComponentCount(); ++i) children.push_back(Components(i));
        return children;
    }
};

const TClassInfo& TShop::StaticClass() {
    static const TClassInfo info = TClassBuilder<TShop>::Creatable("TShop", TComponent::StaticClass());
    return info;
}

AnsiString Escaped(const AnsiString& text) {
    AnsiString out;
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out;
}

TEST(DataForm, ComponentsReadFromAFormOpenOnceTheFormIsLoadedAndWriteBack) {
    TTempFile file;
    {
        TComponent setup(nullptr);
        auto* database = new TDatabase(&setup);
        database->SetConnectionString(SQLiteConnectionString(file.Path()));
        CreateWidgetsTable(*database);
        database->Execute("INSERT INTO Widgets (Name, PalletNumber) VALUES ('w', 4)");
    }
    // The table comes before the database it names: it opens only once
    // both are read.
    AnsiString form = "TShop Shop {\n"
                      "  TTable Table1 {\n    DatabaseName = \"ShopDB\"\n    TableName = \"Widgets\"\n"
                      "    Active = true\n  }\n"
                      "  TQuery Query1 {\n    DatabaseName = \"ShopDB\"\n"
                      "    SQL.Strings = (\"SELECT Name FROM Widgets\" \"WHERE PalletNumber = :Pallet\")\n  }\n"
                      "  TDatabase Database1 {\n    DatabaseName = \"ShopDB\"\n"
                      "    ConnectionString = \"" + Escaped(SQLiteConnectionString(file.Path())) + "\"\n"
                      "    Connected = true\n  }\n"
                      "}\n";
    TShop root(nullptr);
    ReadFormText(&root, form, "SHOP");
    auto* table = static_cast<TTable*>(root.FindComponent("Table1"));
    auto* query = static_cast<TQuery*>(root.FindComponent("Query1"));
    auto* database = static_cast<TDatabase*>(root.FindComponent("Database1"));
    ASSERT_TRUE(table && query && database);
    EXPECT_TRUE(database->Connected());
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(table->FieldByName("Name")->AsString(), "w");
    EXPECT_EQ(query->ParamCount(), 1);
    EXPECT_EQ(WriteFormText(&root), form);

    query->ParamByName("Pallet")->SetAsInteger(4);
    query->Open();
    EXPECT_EQ(query->RecordCount(), 1);
    // Changing the text closes the query; a value of the same name stays.
    query->SQL()->Add("AND Name = :Name");
    EXPECT_EQ(query->State(), dsInactive);
    EXPECT_EQ(query->ParamByName("Pallet")->AsInteger(), 4);
    EXPECT_FALSE(query->ParamByName("Name")->Bound());
}

TEST(DataForm, DatasetsLetGoOfADatabaseThatGoesAndTheOtherWayRound) {
    TTempFile file;
    TComponent root(nullptr);
    auto* database = new TDatabase(&root);
    database->SetDatabaseName("Gone");
    database->SetConnectionString(SQLiteConnectionString(file.Path()));
    CreateWidgetsTable(*database);
    auto* table = new TTable(&root);
    table->SetDatabaseName("Gone");
    table->SetTableName(WidgetsTableName);
    auto* other = new TTable(&root);
    other->SetDatabaseName("Gone");
    other->SetTableName(WidgetsTableName);
    table->Open();
    other->Open();
    EXPECT_EQ(database->DataSetCount(), 2);
    EXPECT_THROW(database->SetConnectionString("DRIVER={SQLite3};"), EDatabaseError);

    delete other;
    EXPECT_EQ(database->DataSetCount(), 1);
    delete database;
    EXPECT_EQ(table->State(), dsInactive);
    EXPECT_EQ(table->Database(), nullptr);
    try {
        table->Open();
        ADD_FAILURE() << "opened on a database that is gone";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "TTable (Widgets): no database named Gone");
    }
}

}  // namespace
