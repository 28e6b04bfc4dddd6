// TField: one column of a dataset's current record. A dataset makes its
// fields when it opens (one per column, of the kind the column holds)
// and frees them when it closes: a TField* is good while its dataset is
// open. Reading gives the current record's value (null and zero values
// when there is none); writing needs the dataset in edit or insert mode
// and converts the value to the field's kind, or raises and changes
// nothing.
#pragma once
#include "data/field_value.h"

class TDataSet;

class TField : public TValueHolder {
public:
    TField(TDataSet* dataSet, int index, AnsiString name, TFieldType type);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TDataSet* DataSet() const { return FDataSet; }
    int Index() const { return FIndex; }
    const AnsiString& FieldName() const { return FFieldName; }
    TFieldType DataType() const { return FDataType; }

    const TFieldValue& Value() const override;
    // Converted to the field's kind first.
    void SetValue(const TFieldValue& value) override;

    // Part of the table's primary key (tables only).
    bool IsKey() const { return FIsKey; }
    void SetKey(bool key) { FIsKey = key; }
    // The most significant digits the column keeps exactly (0: no limit):
    // a database that holds decimals as floating point keeps fifteen, and
    // a longer amount is refused rather than rounded.
    int SignificantDigits() const { return FSignificantDigits; }
    void SetSignificantDigits(int digits) { FSignificantDigits = digits; }

private:
    void CheckDigits(const TFieldValue& value) const;

    TDataSet* FDataSet;
    int FIndex;
    AnsiString FFieldName;
    TFieldType FDataType;
    bool FIsKey = false;
    int FSignificantDigits = 0;
};
