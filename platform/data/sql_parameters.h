// Named parameters in statement text: ":Pallet" stands for a value that
// goes as a bound parameter. Text in quotes, comments and PostgreSQL's
// "::" casts are left alone.
#pragma once
#include <vector>

#include "framework/system/text.h"

struct TParsedStatement {
    AnsiString Text;                 // with "?" for each parameter
    std::vector<AnsiString> Markers;  // the name each "?" stands for, in order
};

// Raises EDatabaseError for a bare "?" (every value is named) and for
// text in quotes that does not end.
TParsedStatement ParseParameters(const AnsiString& sql);
