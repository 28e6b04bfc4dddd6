// The framework's 8-bit string and the plain text helpers everything
// else builds on (no locale involved).
#pragma once
#include <string>
#include <string_view>

using AnsiString = std::string;

AnsiString UpperCase(const AnsiString& text);
bool SameText(const AnsiString& a, const AnsiString& b);
bool IsValidIdent(const AnsiString& text);
// Without leading and trailing blanks and control characters.
AnsiString Trim(const AnsiString& text);

// The platform's UTF-16 text: from 8-bit text in a code page (the ANSI
// code page, CP_ACP = 0, unless told), and back to the ANSI code page.
std::wstring ToWide(std::string_view text, unsigned codePage = 0);
AnsiString FromWide(std::wstring_view text);
