#include "data/table.h"

#include "data/database.h"
#include "data/database_error.h"
#include "data/odbc.h"
#include "framework/classes/class_registry.h"
#include "framework/classes/published.h"

namespace {

const TClassRegistration registration{&TTable::StaticClass()};

}  // namespace

bool IsValidTableName(const AnsiString& name) {
    size_t dot = name.find('.');
    if (dot == AnsiString::npos) return IsValidIdent(name);
    return IsValidIdent(name.substr(0, dot)) && IsValidIdent(name.substr(dot + 1));
}

const TClassInfo& TTable::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTable>::Creatable("TTable", TDataSet::StaticClass(), [](auto& c) {
        c.Property("DatabaseName", &TDataSet::DatabaseName, &TDataSet::SetDatabaseName);
        c.Property("TableName", &TTable::TableName, &TTable::SetTableName);
        c.Property("Active", &TDataSet::Active, &TDataSet::SetActive);
    });
    return info;
}

TTable::TTable(TComponent* owner) : TDataSet(owner) {}

TTable::~TTable() = default;

AnsiString TTable::Describe() const {
    AnsiString name = TDataSet::Describe();
    return FTableName.empty() ? name : name + " (" + FTableName + ")";
}

void TTable::SetTableName(const AnsiString& name) {
    if (name == FTableName) return;
    if (State() != dsInactive) throw EDatabaseError(Describe() + ": cannot change the TableName while open");
    // The name goes into statements as it stands: nothing but a name may.
    if (!name.empty() && !IsValidTableName(name)) throw EDatabaseError("'" + name + "' is not a valid table name");
    FTableName = name;
}

void TTable::PrepareRows(TOdbcStatement& statement) {
    if (FTableName.empty()) throw EDatabaseError(Describe() + ": no TableName");
    statement.Prepare("SELECT * FROM " + FTableName);
}

void TTable::FieldsMade(const std::vector<TOdbcColumn>& columns) {
    for (int i = 0; i < FieldCount(); ++i) Fields(i)->SetKey(false);
    // The catalog knows the table by the name the database gave it.
    AnsiString table = columns.front().BaseTable, schema = columns.front().BaseSchema;
    if (table.empty()) {
        size_t dot = FTableName.find('.');
        table = dot == AnsiString::npos ? FTableName : FTableName.substr(dot + 1);
    }
    TOdbcStatement keys(OpenDatabase().Connection(), "reading the primary key of " + Describe());
    keys.PrimaryKeys(schema, table);
    while (keys.Fetch()) {
        AnsiString column = ValueAsString(keys.Get(4, ftString, SQL_VARCHAR));
        if (TField* field = FindField(column)) field->SetKey(true);
    }
}

void TTable::CheckCanLocate(const TRecord& record) const {
    bool hasKey = false;
    for (int i = 0; i < FieldCount(); ++i) {
        if (!Fields(i)->IsKey()) continue;
        hasKey = true;
        if (IsNullValue(record[static_cast<size_t>(i)]))
            throw EDatabaseError(Describe() + ": the record's key is not known yet (Refresh reads it)");
    }
    if (!hasKey) throw EDatabaseError(Describe() + ": the table has no primary key, so its records cannot be found again");
}

AnsiString TTable::KeyCondition(const TRecord& record, std::vector<TFieldValue>& values) const {
    AnsiString condition;
    for (int i = 0; i < FieldCount(); ++i) {
        if (!Fields(i)->IsKey()) continue;
        condition += (condition.empty() ? " WHERE " : " AND ") + OpenDatabase().QuoteIdentifier(Fields(i)->FieldName()) +
                     " = ?";
        values.push_back(record[static_cast<size_t>(i)]);
    }
    return condition;
}

void TTable::Run(const AnsiString& doing, const AnsiString& sql, const std::vector<TFieldValue>& values, bool oneRow) {
    TOdbcStatement statement(OpenDatabase().Connection(), doing + " " + Describe());
    statement.Prepare(sql);
    statement.BindValues(values);
    statement.Execute();
    if (oneRow && statement.RowCount() == 0)
        throw EDatabaseError(Describe() + ": the record was changed or deleted by someone else");
}

void TTable::WriteInsert(const TRecord& record, const std::vector<bool>& assigned) {
    AnsiString columns, markers;
    std::vector<TFieldValue> values;
    for (int i = 0; i < FieldCount(); ++i) {
        if (!assigned[static_cast<size_t>(i)]) continue;
        columns += (columns.empty() ? "" : ", ") + OpenDatabase().QuoteIdentifier(Fields(i)->FieldName());
        markers += markers.empty() ? "?" : ", ?";
        values.push_back(record[static_cast<size_t>(i)]);
    }
    AnsiString sql = "INSERT INTO " + FTableName +
                     (values.empty() ? AnsiString(" DEFAULT VALUES") : " (" + columns + ") VALUES (" + markers + ")");
    Run("posting a new record to", sql, values, false);
}

void TTable::WriteUpdate(const TRecord& old, const TRecord& record, const std::vector<bool>& assigned) {
    AnsiString settings;
    std::vector<TFieldValue> values;
    for (int i = 0; i < FieldCount(); ++i) {
        if (!assigned[static_cast<size_t>(i)]) continue;
        settings += (settings.empty() ? "" : ", ") + OpenDatabase().QuoteIdentifier(Fields(i)->FieldName()) + " = ?";
        values.push_back(record[static_cast<size_t>(i)]);
    }
    AnsiString condition = KeyCondition(old, values);
    Run("posting changes to", "UPDATE " + FTableName + " SET " + settings + condition, values, true);
}

void TTable::WriteDelete(const TRecord& record) {
    std::vector<TFieldValue> values;
    AnsiString condition = KeyCondition(record, values);
    Run("deleting a record of", "DELETE FROM " + FTableName + condition, values, true);
}
