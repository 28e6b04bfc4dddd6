#include "data/wide_text.h"

#include <windows.h>

AnsiString FromUtf8(std::string_view text) { return FromWide(ToWide(text, CP_UTF8)); }
