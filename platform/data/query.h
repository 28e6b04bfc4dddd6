// TQuery: the rows of a statement (SQL) with named parameters
// (":Pallet"), whose values always go to the database as bound
// parameters, never into the text. Open runs a statement that gives
// rows, ExecSQL one that does not. Its rows cannot be changed.
#pragma once
#include <memory>

#include "data/dataset.h"
#include "data/sql_parameters.h"
#include "framework/classes/strings.h"

// A value for one named parameter. Every parameter needs one before the
// statement runs: Clear gives it null on purpose.
class TParam : public TValueHolder {
public:
    explicit TParam(AnsiString name) : FName(std::move(name)) {}
    const AnsiString& Name() const { return FName; }
    const TFieldValue& Value() const override { return FValue; }
    void SetValue(const TFieldValue& value) override {
        FValue = value;
        FBound = true;
    }
    bool Bound() const { return FBound; }

private:
    AnsiString FName;
    TFieldValue FValue;
    bool FBound = false;
};

class TQuery : public TDataSet {
    FRAME_CLASS(TQuery, TDataSet)
public:
    explicit TQuery(TComponent* owner);
    ~TQuery() override;

    // Changing the text closes the query and finds its parameters again
    // (those of the same name keep their values).
    TStrings* SQL() const;
    void SetSQL(TStrings* lines);

    int ParamCount() const { return static_cast<int>(FParams.size()); }
    TParam* Params(int index) const;
    TParam* ParamByName(const AnsiString& name) const;  // raises when absent

    // Runs the statement without reading rows; RowsAffected tells how
    // many it changed.
    void ExecSQL();
    int RowsAffected() const { return FRowsAffected; }

protected:
    void PrepareRows(TOdbcStatement& statement) override;

private:
    void SQLChanged(TObject* sender);
    void PrepareStatement(TOdbcStatement& statement) const;

    std::unique_ptr<TStringList> FSQL;
    TParsedStatement FStatement;
    AnsiString FParseError;  // why the text has no statement
    std::vector<std::unique_ptr<TParam>> FParams;
    int FRowsAffected = -1;
};
