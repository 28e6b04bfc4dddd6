#include "data/field.h"

#include "data/database_error.h"
#include "data/dataset.h"
#include "framework/system/conversions.h"

TField::TField(TDataSet* dataSet, int index, AnsiString name, TFieldType type)
    : FDataSet(dataSet), FIndex(index), FFieldName(std::move(name)), FDataType(type) {}

const TFieldValue& TField::Value() const { return FDataSet->FieldValue(FIndex); }

void TField::SetValue(const TFieldValue& value) {
    FDataSet->CheckEditing();
    TFieldValue converted = ConvertValue(value, FDataType);
    CheckDigits(converted);
    FDataSet->SetFieldValue(FIndex, std::move(converted));
}

void TField::CheckDigits(const TFieldValue& value) const {
    auto amount = std::get_if<Currency>(&value);
    if (!amount || FSignificantDigits == 0) return;
    uint64_t digits = amount->Val < 0 ? 0 - static_cast<uint64_t>(amount->Val) : static_cast<uint64_t>(amount->Val);
    while (digits != 0 && digits % 10 == 0) digits /= 10;
    int count = 0;
    for (; digits != 0; digits /= 10) ++count;
    if (count > FSignificantDigits)
        throw EDatabaseError(FDataSet->Describe() + ": " + CurrToStr(*amount) + " has more significant digits than field " +
                             FFieldName + " keeps (" + IntToStr(FSignificantDigits) + ")");
}
