#include "data/connection_string.h"

#include <vector>

namespace {

struct TPair {
    AnsiString key, value;
    AnsiString raw;  // as written, without the semicolon that ends it
};

std::vector<TPair> Parse(const AnsiString& text) {
    std::vector<TPair> pairs;
    size_t i = 0;
    while (i < text.size()) {
        size_t equals = text.find('=', i);
        size_t semicolon = text.find(';', i);
        if (equals == AnsiString::npos || (semicolon != AnsiString::npos && semicolon < equals)) {
            // A part without a value ("a;;b"): kept as a key alone.
            size_t end = semicolon == AnsiString::npos ? text.size() : semicolon;
            AnsiString raw = text.substr(i, end - i);
            if (!Trim(raw).empty()) pairs.push_back({Trim(raw), "", raw});
            i = end + 1;
            continue;
        }
        size_t start = i;
        TPair pair{Trim(text.substr(i, equals - i)), "", ""};
        i = equals + 1;
        while (i < text.size() && text[i] == ' ') ++i;
        if (i < text.size() && text[i] == '{') {
            for (++i; i < text.size(); ++i) {
                if (text[i] == '}') {
                    if (i + 1 < text.size() && text[i + 1] == '}') {
                        pair.value += '}';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                pair.value += text[i];
            }
            size_t end = text.find(';', i);
            if (end == AnsiString::npos) end = text.size();
            pair.raw = text.substr(start, end - start);
            i = end + 1;
        } else {
            size_t end = text.find(';', i);
            if (end == AnsiString::npos) end = text.size();
            pair.value = Trim(text.substr(i, end - i));
            pair.raw = text.substr(start, end - start);
            i = end + 1;
        }
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

// Braces only where they are needed: some drivers (SQLite's) take a
// value in braces as it stands, braces and all.
AnsiString Quoted(const AnsiString& value) {
    if (value.find(';') == AnsiString::npos && (value.empty() || value[0] != '{') && Trim(value) == value)
        return value;
    AnsiString out = "{";
    for (char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

}  // namespace

AnsiString ConnectionStringValue(const AnsiString& text, const AnsiString& key) {
    for (const TPair& p : Parse(text))
        if (SameText(p.key, key)) return p.value;
    return {};
}

AnsiString WithConnectionStringValue(const AnsiString& text, const AnsiString& key, const AnsiString& value) {
    AnsiString out;
    bool replaced = false;
    for (const TPair& p : Parse(text)) {
        bool match = SameText(p.key, key);
        if (match && replaced) continue;
        out += (match ? p.key + "=" + Quoted(value) : p.raw) + ";";
        replaced = replaced || match;
    }
    if (!replaced) out += key + "=" + Quoted(value) + ";";
    return out;
}
