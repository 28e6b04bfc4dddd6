// The words of the program's command line after the program's name, split
// as the platform splits them, without the shell library: importing it
// loads half a dozen more libraries at every start for one call.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "framework/system/text.h"

// Every word of a command line, the program's name first: spaces and tabs
// part words except within double quotes; 2n backslashes before a quote
// give n and the quote opens or closes quoting, 2n+1 give n and a plain
// quote, other backslashes are themselves; of three quotes in a row the
// third is a plain one. The name ends at its closing quote or first space,
// backslashes and all.
std::vector<std::wstring> SplitCommandLine(std::wstring_view line);

// The words after the program's name, in the ANSI code page.
std::vector<AnsiString> ProgramArguments();
