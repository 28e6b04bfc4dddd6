#include "data/dataset.h"

#include <algorithm>

#include "data/database.h"
#include "data/database_error.h"
#include "data/odbc.h"
#include "framework/classes/published.h"

namespace {

bool StartsWithText(const AnsiString& text, const char* prefix) {
    return UpperCase(text).rfind(prefix, 0) == 0;
}

// The field kind for a column; digits: the significant digits it keeps
// when that is a limit.
TFieldType FieldTypeOf(const TOdbcColumn& column, bool sqlite, int& digits) {
    digits = 0;
    switch (column.SqlType) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return ftInteger;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return column.Scale <= 4 ? ftCurrency : ftFloat;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return ftFloat;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATETIME:
    case SQL_TIME:
    case SQL_TIMESTAMP:
        return ftDateTime;
    default:
        // SQLite's driver calls its DECIMAL columns text; SQLite keeps
        // them as floating point, exact to fifteen digits.
        if (StartsWithText(column.TypeName, "DECIMAL") || StartsWithText(column.TypeName, "NUMERIC")) {
            if (sqlite) digits = 15;
            return ftCurrency;
        }
        return ftString;
    }
}

}  // namespace

const TClassInfo& TDataSet::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDataSet>::Abstract("TDataSet", TComponent::StaticClass());
    return info;
}

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

TDataSet::~TDataSet() { Close(); }

AnsiString TDataSet::Describe() const { return Name().empty() ? ClassName() : Name(); }

void TDataSet::SetDatabaseName(const AnsiString& name) {
    if (name == FDatabaseName) return;
    if (FState != dsInactive) throw EDatabaseError(Describe() + ": cannot change the DatabaseName while open");
    FDatabaseName = name;
}

bool TDataSet::Active() const { return HasState(csLoading) ? FStreamedActive : FState != dsInactive; }

void TDataSet::SetActive(bool active) {
    if (HasState(csLoading)) {
        FStreamedActive = active;
        return;
    }
    if (active) Open();
    else Close();
}

void TDataSet::Loaded() {
    TComponent::Loaded();
    if (FStreamedActive) Open();
}

TDatabase& TDataSet::OpenDatabase() const {
    if (!FDatabase) throw EDatabaseError(Describe() + ": the dataset is not open");
    return *FDatabase;
}

TDatabase& TDataSet::ConnectDatabase() const {
    if (FDatabaseName.empty()) throw EDatabaseError(Describe() + ": no DatabaseName");
    TDatabase* database = TDatabase::Find(FDatabaseName, this);
    if (!database) throw EDatabaseError(Describe() + ": no database named " + FDatabaseName);
    database->Open();
    return *database;
}

void TDataSet::Open() {
    if (FState != dsInactive) return;
    TDatabase& database = ConnectDatabase();
    FDatabase = &database;
    database.Attach(this);
    try {
        ReadRows(0);
    } catch (...) {
        Detach();
        throw;
    }
    FState = dsBrowse;
}

void TDataSet::ReadRows(size_t keepPosition) {
    TDatabase& database = OpenDatabase();
    TOdbcStatement statement(database.Connection(), "opening " + Describe());
    PrepareRows(statement);
    // Known once prepared: a statement without rows is refused before it runs.
    int count = statement.ColumnCount();
    if (count == 0) throw EDatabaseError(Describe() + ": the statement gives no rows (ExecSQL runs such statements)");
    statement.Execute();
    std::vector<TOdbcColumn> columns;
    std::vector<std::unique_ptr<TField>> fields;
    for (int i = 0; i < count; ++i) {
        columns.push_back(statement.Column(i + 1));
        int digits = 0;
        TFieldType type = FieldTypeOf(columns.back(), database.IsSQLite(), digits);
        fields.push_back(std::make_unique<TField>(this, i, columns.back().Name, type));
        fields.back()->SetSignificantDigits(digits);
    }
    std::vector<TRecord> records;
    while (statement.Fetch()) {
        TRecord& record = records.emplace_back(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            record[static_cast<size_t>(i)] = statement.Get(i + 1, fields[static_cast<size_t>(i)]->DataType(),
                                                           columns[static_cast<size_t>(i)].SqlType);
    }
    // Read again with the same columns, the fields stay the same objects.
    bool same = fields.size() == FFields.size() &&
                std::equal(fields.begin(), fields.end(), FFields.begin(), [](const auto& a, const auto& b) {
                    return a->FieldName() == b->FieldName() && a->DataType() == b->DataType();
                });
    if (!same) std::swap(FFields, fields);
    try {
        FieldsMade(columns);
    } catch (...) {
        if (!same) std::swap(FFields, fields);
        throw;
    }
    FRecords = std::move(records);
    FCurrent = FRecords.empty() ? 0 : std::min(keepPosition, FRecords.size() - 1);
    FBof = FCurrent == 0;
    FEof = FRecords.empty();
}

void TDataSet::Close() {
    if (FState == dsInactive) return;
    FState = dsInactive;
    FFields.clear();
    FRecords.clear();
    FBuffer.clear();
    FAssigned.clear();
    FEof = FBof = true;
    Detach();
}

void TDataSet::Detach() {
    TDatabase* database = FDatabase;
    FDatabase = nullptr;
    if (database) database->Detach(this);
}

void TDataSet::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == FDatabase) {
        // The database is going away: nothing may be asked of it any more.
        FDatabase = nullptr;
        Close();
    }
    TComponent::Notification(component, operation);
}

void TDataSet::Refresh() {
    CheckBrowsing("Refresh");
    ReadRows(FCurrent);
}

void TDataSet::CheckActive() const {
    if (FState == dsInactive) throw EDatabaseError(Describe() + ": the dataset is not open");
}

void TDataSet::CheckBrowsing(const char* operation) const {
    CheckActive();
    if (FState != dsBrowse)
        throw EDatabaseError(Describe() + ": " + operation +
                             " is not possible while a record is being edited or inserted (Post or Cancel it first)");
}

void TDataSet::CheckEditing() const {
    CheckActive();
    if (FState != dsEdit && FState != dsInsert) throw EDatabaseError(Describe() + ": not in edit or insert mode");
}

void TDataSet::CheckCanModify() const {
    throw EDatabaseError(Describe() + ": its records cannot be changed");
}

void TDataSet::WriteInsert(const TRecord&, const std::vector<bool>&) { CheckCanModify(); }
void TDataSet::WriteUpdate(const TRecord&, const TRecord&, const std::vector<bool>&) { CheckCanModify(); }
void TDataSet::WriteDelete(const TRecord&) { CheckCanModify(); }

void TDataSet::First() {
    CheckBrowsing("First");
    FCurrent = 0;
    FBof = true;
    FEof = FRecords.empty();
}

void TDataSet::Next() {
    CheckBrowsing("Next");
    if (FRecords.empty() || FCurrent + 1 >= FRecords.size()) {
        FEof = true;
    } else {
        ++FCurrent;
        FEof = false;
    }
    FBof = FRecords.empty();
}

void TDataSet::Prior() {
    CheckBrowsing("Prior");
    if (FCurrent == 0) {
        FBof = true;
    } else {
        --FCurrent;
        FBof = false;
    }
    FEof = FRecords.empty();
}

void TDataSet::Last() {
    CheckBrowsing("Last");
    FCurrent = FRecords.empty() ? 0 : FRecords.size() - 1;
    FEof = true;
    FBof = FRecords.empty();
}

int TDataSet::RecordCount() const {
    CheckActive();
    return static_cast<int>(FRecords.size());
}

int TDataSet::RecNo() const {
    CheckActive();
    return FRecords.empty() ? 0 : static_cast<int>(FCurrent) + 1;
}

void TDataSet::StartInsert(size_t position) {
    FBuffer.assign(FFields.size(), TFieldValue());
    FAssigned.assign(FFields.size(), false);
    FInsertAt = position;
    FState = dsInsert;
}

void TDataSet::Insert() {
    CheckBrowsing("Insert");
    CheckCanModify();
    StartInsert(FRecords.empty() ? 0 : FCurrent);
}

void TDataSet::Append() {
    CheckBrowsing("Append");
    CheckCanModify();
    StartInsert(FRecords.size());
}

void TDataSet::Edit() {
    CheckBrowsing("Edit");
    CheckCanModify();
    if (FRecords.empty()) throw EDatabaseError(Describe() + ": no record to edit");
    CheckCanLocate(FRecords[FCurrent]);
    FBuffer = FRecords[FCurrent];
    FAssigned.assign(FFields.size(), false);
    FState = dsEdit;
}

void TDataSet::Post() {
    CheckEditing();
    if (FState == dsInsert) {
        WriteInsert(FBuffer, FAssigned);
        FRecords.insert(FRecords.begin() + static_cast<std::ptrdiff_t>(FInsertAt), FBuffer);
        FCurrent = FInsertAt;
    } else {
        if (std::find(FAssigned.begin(), FAssigned.end(), true) != FAssigned.end())
            WriteUpdate(FRecords[FCurrent], FBuffer, FAssigned);
        FRecords[FCurrent] = FBuffer;
    }
    FState = dsBrowse;
    FEof = FBof = false;
    FBuffer.clear();
    FAssigned.clear();
}

void TDataSet::Cancel() {
    if (FState != dsEdit && FState != dsInsert) return;
    FState = dsBrowse;
    FBuffer.clear();
    FAssigned.clear();
}

void TDataSet::Delete() {
    CheckBrowsing("Delete");
    CheckCanModify();
    if (FRecords.empty()) throw EDatabaseError(Describe() + ": no record to delete");
    CheckCanLocate(FRecords[FCurrent]);
    WriteDelete(FRecords[FCurrent]);
    FRecords.erase(FRecords.begin() + static_cast<std::ptrdiff_t>(FCurrent));
    if (FCurrent >= FRecords.size() && FCurrent > 0) --FCurrent;
    FEof = FRecords.empty();
    FBof = FCurrent == 0;
}

TField* TDataSet::Fields(int index) const {
    if (index < 0 || index >= FieldCount())
        throw EDatabaseError(Describe() + ": no field number " + std::to_string(index));
    return FFields[static_cast<size_t>(index)].get();
}

TField* TDataSet::FindField(const AnsiString& name) const {
    for (const auto& field : FFields)
        if (SameText(field->FieldName(), name)) return field.get();
    return nullptr;
}

TField* TDataSet::FieldByName(const AnsiString& name) const {
    CheckActive();
    TField* field = FindField(name);
    if (!field) throw EDatabaseError(Describe() + ": field '" + name + "' not found");
    return field;
}

const TFieldValue& TDataSet::FieldValue(int index) const {
    static const TFieldValue null;
    auto i = static_cast<size_t>(index);
    if (FState == dsEdit || FState == dsInsert) return FBuffer[i];
    if (FState == dsInactive || FRecords.empty()) return null;
    return FRecords[FCurrent][i];
}

void TDataSet::SetFieldValue(int index, TFieldValue value) {
    CheckEditing();
    FBuffer[static_cast<size_t>(index)] = std::move(value);
    FAssigned[static_cast<size_t>(index)] = true;
}
