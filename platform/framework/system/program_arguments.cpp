#include "framework/system/program_arguments.h"

#include <windows.h>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
    std::vector<std::wstring> words;
    size_t i = 0;
    // The program's name: no escapes, as the loader reads it.
    std::wstring name;
    if (i < line.size() && line[i] == L'"') {
        for (++i; i < line.size() && line[i] != L'"'; ++i) name += line[i];
        if (i < line.size()) ++i;
    } else {
        for (; i < line.size() && !IsBlank(line[i]); ++i) name += line[i];
    }
    words.push_back(std::move(name));
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::wstring word;
        // quotes is 1 within quotes; a third quote in a row is a plain one.
        int quotes = 0;
        size_t backslashes = 0;
        for (; i < line.size() && (quotes || !IsBlank(line[i])); ++i) {
            wchar_t c = line[i];
            if (c == L'\\') {
                word += c;
                ++backslashes;
                continue;
            }
            if (c != L'"') {
                word += c;
                backslashes = 0;
                continue;
            }
            word.resize(word.size() - (backslashes + 1) / 2);
            if (backslashes % 2)
                word += L'"';
            else
                ++quotes;
            backslashes = 0;
            while (i + 1 < line.size() && line[i + 1] == L'"') {
                ++i;
                if (++quotes == 3) {
                    word += L'"';
                    quotes = 0;
                }
            }
            if (quotes == 2) quotes = 0;
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::vector<AnsiString> ProgramArguments() {
    std::vector<std::wstring> words = SplitCommandLine(GetCommandLineW());
    std::vector<AnsiString> arguments;
    for (size_t i = 1; i < words.size(); ++i) arguments.push_back(FromWide(words[i]));
    return arguments;
}
