#include "data/query.h"

#include "data/database.h"
#include "data/database_error.h"
#include "data/odbc.h"
#include "framework/classes/class_registry.h"
#include "framework/classes/published.h"
#include "framework/classes/strings.h"

namespace {

const TClassRegistration registration{&TQuery::StaticClass()};

}  // namespace

const TClassInfo& TQuery::StaticClass() {
    static const TClassInfo info = TClassBuilder<TQuery>::Creatable("TQuery", TDataSet::StaticClass(), [](auto& c) {
        c.Property("DatabaseName", &TDataSet::DatabaseName, &TDataSet::SetDatabaseName);
        c.Property("SQL", &TQuery::SQL, &TQuery::SetSQL);
        c.Property("Active", &TDataSet::Active, &TDataSet::SetActive);
    });
    return info;
}

TQuery::TQuery(TComponent* owner) : TDataSet(owner), FSQL(std::make_unique<TStringList>()) {
    FSQL->OnChange = TNotifyEvent(this, &TQuery::SQLChanged);
}

TQuery::~TQuery() = default;

TStrings* TQuery::SQL() const { return FSQL.get(); }

void TQuery::SetSQL(TStrings* lines) { FSQL->Assign(lines); }

void TQuery::SQLChanged(TObject*) {
    Close();
    FStatement = {};
    FParseError.clear();
    std::vector<std::unique_ptr<TParam>> old;
    old.swap(FParams);
    // A text that cannot be parsed leaves the query without a statement:
    // running it raises the same error again.
    try {
        FStatement = ParseParameters(FSQL->Text());
    } catch (const EDatabaseError& e) {
        FParseError = e.Message();
    }
    for (const AnsiString& name : FStatement.Markers) {
        bool known = false;
        for (const auto& p : FParams) known = known || SameText(p->Name(), name);
        if (known) continue;
        std::unique_ptr<TParam> param;
        for (auto& o : old)
            if (o && SameText(o->Name(), name)) param = std::move(o);
        FParams.push_back(param ? std::move(param) : std::make_unique<TParam>(name));
    }
}

TParam* TQuery::Params(int index) const {
    if (index < 0 || index >= ParamCount())
        throw EDatabaseError(Describe() + ": no parameter number " + std::to_string(index));
    return FParams[static_cast<size_t>(index)].get();
}

TParam* TQuery::ParamByName(const AnsiString& name) const {
    for (const auto& p : FParams)
        if (SameText(p->Name(), name)) return p.get();
    throw EDatabaseError(Describe() + ": parameter '" + name + "' not found");
}

void TQuery::PrepareStatement(TOdbcStatement& statement) const {
    if (!FParseError.empty()) throw EDatabaseError(Describe() + ": " + FParseError);
    if (Trim(FStatement.Text).empty()) throw EDatabaseError(Describe() + ": no SQL");
    std::vector<TFieldValue> values;
    for (const AnsiString& name : FStatement.Markers) {
        TParam* param = ParamByName(name);
        if (!param->Bound()) throw EDatabaseError(Describe() + ": parameter '" + name + "' has no value");
        values.push_back(param->Value());
    }
    statement.Prepare(FStatement.Text);
    statement.BindValues(values);
}

void TQuery::PrepareRows(TOdbcStatement& statement) { PrepareStatement(statement); }

void TQuery::ExecSQL() {
    FRowsAffected = -1;
    TOdbcStatement statement(ConnectDatabase().Connection(), "executing " + Describe());
    PrepareStatement(statement);
    statement.Execute();
    FRowsAffected = static_cast<int>(statement.RowCount());
}
