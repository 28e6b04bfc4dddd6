#include "framework/streaming/form_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace {

// Where the first c at or after from lies in text, or npos. The C
// library's byte search under Wine looks at one byte at a time (0.4 ms
// for the 550 KB of a form's picture); this looks at eight at once.
size_t FindByte(std::string_view text, size_t from, char c) {
    constexpr uint64_t ones = 0x0101010101010101u, highs = 0x8080808080808080u;
    const uint64_t pattern = ones * static_cast<unsigned char>(c);
    size_t i = from;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        uint64_t x = word ^ pattern;  // a zero byte where c is
        if ((x - ones) & ~x & highs) break;
    }
    for (; i < text.size(); ++i)
        if (text[i] == c) return i;
    return std::string_view::npos;
}

class Parser {
public:
    Parser(std::string_view text, const AnsiString& resource) : s(text), res(resource) {}

    std::unique_ptr<TFormNode> Document() {
        if (static_cast<int64_t>(s.size()) > MaxComponentImageSize)
            Fail(Format("the text holds %d bytes, more than the %d a form may have", s.size(), MaxComponentImageSize));
        SkipSpace();
        auto root = Node(1);
        SkipSpace();
        if (pos < s.size()) Fail("text after the end of the form");
        return root;
    }

private:
    [[noreturn]] void Fail(const AnsiString& what) const {
        throw EReadError(Format("%s(%d): %s", res.c_str(), line, what.c_str()));
    }

    void SkipSpace() {
        while (pos < s.size()) {
            char c = s[pos];
            if (c == '\n') {
                ++line;
                ++pos;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos;
            } else if (c == '/' && pos + 1 < s.size() && s[pos + 1] == '/') {
                while (pos < s.size() && s[pos] != '\n') ++pos;
            } else {
                break;
            }
        }
    }

    bool IsIdentStart(char c) const { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    bool IsIdentChar(char c) const { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    AnsiString Ident(const char* what) {
        SkipSpace();
        if (pos >= s.size() || !IsIdentStart(s[pos])) Fail(Format("%s expected", what));
        size_t start = pos;
        while (pos < s.size() && IsIdentChar(s[pos])) ++pos;
        return AnsiString(s.substr(start, pos - start));
    }

    AnsiString Path() {
        AnsiString path = Ident("property name");
        while (pos < s.size() && s[pos] == '.') {
            ++pos;
            path += "." + Ident("property name");
        }
        return path;
    }

    void Expect(char c) {
        SkipSpace();
        if (pos >= s.size() || s[pos] != c) Fail(Format("'%c' expected", c));
        ++pos;
    }

    void Check(const AnsiString& complaint) const {
        if (!complaint.empty()) Fail(complaint);
    }

    std::unique_ptr<TFormNode> Node(int depth) {
        Check(limits.Node(depth));
        auto node = std::make_unique<TFormNode>();
        node->pos = line;
        node->className = Ident("class name");
        SkipSpace();
        if (pos >= s.size() || s[pos] != '{') node->name = Ident("component name");
        Expect('{');
        for (;;) {
            SkipSpace();
            if (pos >= s.size()) Fail("'}' expected before the end of the text");
            if (s[pos] == '}') {
                ++pos;
                return node;
            }
            int itemLine = line;
            size_t mark = pos;
            AnsiString first = Path();
            SkipSpace();
            if (pos < s.size() && s[pos] == '=') {
                ++pos;
                Check(limits.Entry());
                TFormItem item;
                item.path = first;
                item.pos = itemLine;
                item.value = Value();
                node->items.push_back(std::move(item));
            } else if (first.find('.') == AnsiString::npos) {
                pos = mark;
                node->children.push_back(Node(depth + 1));
            } else {
                Fail("'=' expected after " + first);
            }
        }
    }

    AnsiString QuotedString() {
        Expect('"');
        AnsiString out;
        for (;;) {
            if (pos >= s.size() || s[pos] == '\n') Fail("unterminated string");
            char c = s[pos++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos >= s.size()) Fail("unterminated string");
            char e = s[pos++];
            switch (e) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case 'x': {
                if (pos + 2 > s.size() || !std::isxdigit(static_cast<unsigned char>(s[pos])) ||
                    !std::isxdigit(static_cast<unsigned char>(s[pos + 1])))
                    Fail("bad \\x escape");
                out += static_cast<char>(std::strtol(AnsiString(s.substr(pos, 2)).c_str(), nullptr, 16));
                pos += 2;
                break;
            }
            default: Fail(Format("unknown escape \\%c", e));
            }
        }
    }

    TFormValue Value() {
        SkipSpace();
        TFormValue v;
        if (pos >= s.size()) Fail("value expected");
        char c = s[pos];
        if (c == '"') {
            v.kind = TFormValue::String;
            v.text = QuotedString();
        } else if (c == '[') {
            ++pos;
            v.kind = TFormValue::Set;
            SkipSpace();
            if (pos < s.size() && s[pos] == ']') {
                ++pos;
                return v;
            }
            for (;;) {
                Check(limits.Entry());
                v.items.push_back(Ident("set element"));
                SkipSpace();
                if (pos < s.size() && s[pos] == ',') { ++pos; continue; }
                Expect(']');
                break;
            }
        } else if (c == '(') {
            ++pos;
            v.kind = TFormValue::List;
            for (;;) {
                SkipSpace();
                if (pos < s.size() && s[pos] == ')') { ++pos; break; }
                Check(limits.Entry());
                v.items.push_back(QuotedString());
            }
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            size_t start = pos;
            if (c == '-') ++pos;
            while (pos < s.size() && (std::isalnum(static_cast<unsigned char>(s[pos])) || s[pos] == '.' ||
                                      ((s[pos] == '-' || s[pos] == '+') && (s[pos - 1] == 'e' || s[pos - 1] == 'E'))))
                ++pos;
            AnsiString number(s.substr(start, pos - start));
            bool hex = number.find("0x") != AnsiString::npos || number.find("0X") != AnsiString::npos;
            if (!hex && number.find_first_of(".eE") != AnsiString::npos) {
                v.kind = TFormValue::Float;
                v.text = number;
                auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), v.number);
                if (end != number.data() + number.size() || error != std::errc()) Fail("bad number " + number);
            } else {
                v.kind = TFormValue::Integer;
                if (!TryStrToInt64(number, v.integer)) Fail("bad number " + number);
            }
        } else if (IsIdentStart(c)) {
            AnsiString word = Ident("value");
            SkipSpace();
            if (word == "hex" && pos < s.size() && s[pos] == '{') {
                ++pos;
                v.kind = TFormValue::Binary;
                v.bytes = HexData();
            } else if (word == "file" && pos < s.size() && s[pos] == '"') {
                Fail("file reference left in a compiled form (the build inlines it)");
            } else {
                v.kind = TFormValue::Ident;
                v.text = word;
            }
        } else {
            Fail(Format("unexpected character '%c'", c));
        }
        return v;
    }

    // The bytes of hex{...} after its brace: two digits a byte, blanks
    // between digits, all on one line. Pictures are most of a form's text,
    // so each digit is one table lookup and the bytes are made once.
    TBytes HexData() {
        static const auto digits = [] {
            std::array<int8_t, 256> table;
            table.fill(-1);
            for (int d = 0; d < 10; ++d) table['0' + d] = static_cast<int8_t>(d);
            for (int d = 0; d < 6; ++d) table['a' + d] = table['A' + d] = static_cast<int8_t>(10 + d);
            return table;
        }();
        TBytes bytes;
        size_t close = FindByte(s, pos, '}');
        // Runs of digit pairs with nothing between them, the usual case,
        // two characters at a time into bytes made to size, through local
        // pointers (a store through a byte pointer would otherwise make
        // the compiler reload the parser's own fields); anything else by
        // the careful loop.
        if (close != AnsiString::npos) {
            bytes.resize((close - pos) / 2);
            const auto* text = reinterpret_cast<const unsigned char*>(s.data());
            const unsigned char *from = text + pos, *end = text + close;
            uint8_t *out = bytes.data(), *first = out;
            while (end - from >= 2) {
                int high = digits[from[0]], low = digits[from[1]];
                if ((high | low) < 0) break;
                *out++ = static_cast<uint8_t>(high << 4 | low);
                from += 2;
            }
            bytes.resize(static_cast<size_t>(out - first));
            pos = static_cast<size_t>(from - text);
        }
        int nibble = -1;
        for (;;) {
            if (pos >= s.size()) Fail("unterminated hex data");
            char h = s[pos++];
            int d = digits[static_cast<unsigned char>(h)];
            if (d >= 0) {
                if (nibble < 0) {
                    nibble = d;
                } else {
                    bytes.push_back(static_cast<uint8_t>(nibble * 16 + d));
                    nibble = -1;
                }
            } else if (h == '}') {
                break;
            } else if (h == '\n') {
                Fail("unterminated hex data");
            } else if (h != ' ' && h != '\t') {
                Fail("bad hex digit");
            }
        }
        if (nibble >= 0) Fail("odd number of hex digits");
        return bytes;
    }

    std::string_view s;
    AnsiString res;
    size_t pos = 0;
    int line = 1;
    TTreeLimits limits;
};

AnsiString Quote(const AnsiString& text) {
    AnsiString out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default:
            if (c < 0x20) out += Format("\\x%.2X", c);
            else out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

AnsiString PrintValue(const TFormValue& v) {
    switch (v.kind) {
    case TFormValue::Integer: return IntToStr(v.integer);
    case TFormValue::Float: {
        // The shortest text that reads back as the same number, in no locale.
        char buffer[40];
        char* end = v.single ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(v.number)).ptr
                             : std::to_chars(buffer, buffer + sizeof buffer, v.number).ptr;
        AnsiString t(buffer, end);
        if (t.find_first_of(".eEn") == AnsiString::npos) t += ".0";
        return t;
    }
    case TFormValue::Money: return CurrToStr(Currency::FromRaw(v.integer), InvariantFormatSettings());
    case TFormValue::String: return Quote(v.text);
    case TFormValue::Ident: return v.text;
    case TFormValue::Set: {
        AnsiString t = "[";
        for (size_t i = 0; i < v.items.size(); ++i) t += (i ? ", " : "") + v.items[i];
        return t + "]";
    }
    case TFormValue::List: {
        AnsiString t = "(";
        for (size_t i = 0; i < v.items.size(); ++i) t += (i ? " " : "") + Quote(v.items[i]);
        return t + ")";
    }
    case TFormValue::Binary: {
        static const char digits[] = "0123456789ABCDEF";
        AnsiString t = "hex{";
        for (uint8_t b : v.bytes) {
            t += digits[b >> 4];
            t += digits[b & 15];
        }
        return t + "}";
    }
    }
    return "";
}

void PrintNode(const TFormNode& node, int depth, AnsiString& out) {
    AnsiString indent(static_cast<size_t>(depth) * 2, ' ');
    out += indent + node.className + (node.name.empty() ? "" : " " + node.name) + " {\n";
    for (const TFormItem& item : node.items) out += indent + "  " + item.path + " = " + PrintValue(item.value) + "\n";
    for (const auto& child : node.children) PrintNode(*child, depth + 1, out);
    out += indent + "}\n";
}

}  // namespace

std::unique_ptr<TFormNode> ParseFormText(std::string_view text, const AnsiString& resourceName) {
    return Parser(text, resourceName).Document();
}

AnsiString PrintFormText(const TFormNode& root) {
    AnsiString out;
    PrintNode(root, 0, out);
    return out;
}
