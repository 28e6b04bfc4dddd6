// TTable: the rows of one table (TableName) of the database DatabaseName
// names. Posting an inserted record writes the fields that were
// assigned (the database fills the others: defaults, generated keys);
// editing and deleting find the record again by the table's primary
// key, so they need one. A key the database generated on insert is
// known after Refresh.
#pragma once
#include "data/dataset.h"

// A name statements can use as it stands: letters, digits and
// underscores, not starting with a digit, and a schema before a dot.
bool IsValidTableName(const AnsiString& name);

class TTable : public TDataSet {
    FRAME_CLASS(TTable, TDataSet)
public:
    explicit TTable(TComponent* owner);
    ~TTable() override;

    // A valid table name, unquoted in statements, so the database matches
    // it as it matches names in any statement (PostgreSQL in lower case).
    // Cannot change while open.
    const AnsiString& TableName() const { return FTableName; }
    void SetTableName(const AnsiString& name);

    AnsiString Describe() const override;

protected:
    void PrepareRows(TOdbcStatement& statement) override;
    void FieldsMade(const std::vector<TOdbcColumn>& columns) override;
    void CheckCanModify() const override {}
    void WriteInsert(const TRecord& record, const std::vector<bool>& assigned) override;
    void WriteUpdate(const TRecord& old, const TRecord& record, const std::vector<bool>& assigned) override;
    void WriteDelete(const TRecord& record) override;
    void CheckCanLocate(const TRecord& record) const override;

private:
    // " WHERE key = ? AND ...", adding the record's key values.
    AnsiString KeyCondition(const TRecord& record, std::vector<TFieldValue>& values) const;
    void Run(const AnsiString& doing, const AnsiString& sql, const std::vector<TFieldValue>& values,
             bool oneRow);

    AnsiString FTableName;
};
