#include "data/sql_parameters.h"

#include <cctype>

#include "data/database_error.h"

namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

TParsedStatement ParseParameters(const AnsiString& sql) {
    TParsedStatement parsed;
    AnsiString& out = parsed.Text;
    size_t i = 0, n = sql.size();
    // Copies up to and including the end mark, from i.
    auto copyThrough = [&](const char* end, const char* what) {
        size_t stop = sql.find(end, i);
        if (stop == AnsiString::npos) {
            if (what) throw EDatabaseError(AnsiString("the statement has ") + what + " that does not end");
            stop = n;
        } else {
            stop += std::char_traits<char>::length(end);
        }
        out += sql.substr(i, stop - i);
        i = stop;
    };
    while (i < n) {
        char c = sql[i];
        if (c == '\'' || c == '"') {
            // '' inside quotes is a quote: two quoted runs in a row.
            out += c;
            ++i;
            copyThrough(c == '\'' ? "'" : "\"", c == '\'' ? "a quoted text" : "a quoted name");
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            copyThrough("\n", nullptr);
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            copyThrough("*/", "a comment");
        } else if (c == ':' && i + 1 < n && sql[i + 1] == ':') {
            out += "::";
            i += 2;
        } else if (c == ':' && i + 1 < n && IsNameStart(sql[i + 1])) {
            size_t start = ++i;
            while (i < n && IsNamePart(sql[i])) ++i;
            parsed.Markers.push_back(sql.substr(start, i - start));
            out += '?';
        } else if (c == '?') {
            throw EDatabaseError("the statement has a '?': name its values (:Name) instead");
        } else {
            out += c;
            ++i;
        }
    }
    return parsed;
}
