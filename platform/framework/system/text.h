// The framework's 8-bit string and the plain text helpers everything
// else builds on (no locale involved).
#pragma once
#include <string>

using AnsiString = std::string;

AnsiString UpperCase(const AnsiString& text);
bool SameText(const AnsiString& a, const AnsiString& b);
bool IsValidIdent(const AnsiString& text);
// Without leading and trailing blanks and control characters.
AnsiString Trim(const AnsiString& text);
