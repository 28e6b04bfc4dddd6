// The framework's 8-bit strings (in the ANSI code page, as every control
// shows them) and the UTF-16 text of the platform's wide ODBC functions:
// ToWide and FromWide (framework/system/text.h), and host paths in UTF-8.
#pragma once
#include <string>
#include <string_view>

#include "framework/system/text.h"

// UTF-8 (a host path under Wine) to the framework's string.
AnsiString FromUtf8(std::string_view text);
