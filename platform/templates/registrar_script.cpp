#include "templates/registrar_script.h"

#include <cwctype>

namespace tpl::script {
namespace {

// Splits the script into words, braces, '=' and quoted strings; a quoted
// string may hold '' for one quote. Replacements apply inside each token, so
// a replaced path can never change the script's structure.
class Tokenizer {
public:
    Tokenizer(const std::wstring& text, const std::map<std::wstring, std::wstring>& replacements)
        : text_(text), replacements_(replacements) {}

    bool Next(std::wstring& token, bool& quoted) {
        while (pos_ < text_.size() && std::iswspace(text_[pos_])) ++pos_;
        if (pos_ >= text_.size()) return false;
        quoted = false;
        wchar_t c = text_[pos_];
        // A brace stands alone; one that starts a word ("{A338...}") is a name.
        bool alone = pos_ + 1 >= text_.size() || std::iswspace(text_[pos_ + 1]);
        if (((c == L'{' || c == L'}') && alone) || c == L'=') {
            token.assign(1, c);
            ++pos_;
            return true;
        }
        std::wstring raw;
        if (c == L'\'') {
            quoted = true;
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size()) {
                    failed_ = true;
                    return false;
                }
                if (text_[pos_] == L'\'') {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == L'\'') {
                        raw += L'\'';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                raw += text_[pos_++];
            }
        } else {
            while (pos_ < text_.size() && !std::iswspace(text_[pos_]) && text_[pos_] != L'=')
                raw += text_[pos_++];
        }
        token = Replace(raw);
        return !failed_;
    }
    bool Failed() const { return failed_; }

private:
    std::wstring Replace(const std::wstring& raw) {
        std::wstring out;
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != L'%') {
                out += raw[i];
                continue;
            }
            size_t end = raw.find(L'%', i + 1);
            if (end == std::wstring::npos) {
                failed_ = true;
                return out;
            }
            std::wstring name = raw.substr(i + 1, end - i - 1);
            if (name.empty()) {
                out += L'%';
            } else {
                auto found = replacements_.find(name);
                if (found == replacements_.end()) {
                    failed_ = true;
                    return out;
                }
                out += found->second;
            }
            i = end;
        }
        return out;
    }

    const std::wstring& text_;
    const std::map<std::wstring, std::wstring>& replacements_;
    size_t pos_ = 0;
    bool failed_ = false;
};

struct Token {
    std::wstring text;
    bool quoted = false;
    bool Is(const wchar_t* word) const { return !quoted && text == word; }
};

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    bool ParseScript(std::vector<Root>& roots) {
        while (pos_ < tokens_.size()) {
            Root root{HiveFromName(tokens_[pos_++].text), {}};
            if (!root.hive || !Take(L"{") || !ParseBody(root.keys, nullptr, 1)) return false;
            roots.push_back(std::move(root));
        }
        return true;
    }

private:
    static HKEY HiveFromName(const std::wstring& name) {
        if (name == L"HKCR" || name == L"HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
        if (name == L"HKCU" || name == L"HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
        if (name == L"HKLM" || name == L"HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
        if (name == L"HKU" || name == L"HKEY_USERS") return HKEY_USERS;
        return nullptr;
    }

    const Token* Peek() const { return pos_ < tokens_.size() ? &tokens_[pos_] : nullptr; }
    bool Take(const wchar_t* word) {
        if (!Peek() || !Peek()->Is(word)) return false;
        ++pos_;
        return true;
    }

    // Keys nested deeper than this are refused: the parser recurses once
    // per level, and no script of ours comes near it.
    static constexpr int kMaxDepth = 64;

    // After '{': keys and named values up to the matching '}'.
    bool ParseBody(std::vector<Key>& keys, Key* owner, int depth) {
        if (depth > kMaxDepth) return false;
        for (;;) {
            const Token* t = Peek();
            if (!t) return false;  // the script ended inside braces
            if (t->Is(L"}")) {
                ++pos_;
                return true;
            }
            if (t->Is(L"val")) {
                ++pos_;
                if (!owner || !Peek()) return false;
                std::wstring name = tokens_[pos_++].text;
                Value value;
                if (!Take(L"=") || !ParseValue(value)) return false;
                owner->namedValues.emplace_back(name, value);
                continue;
            }
            Key key;
            if (t->Is(L"ForceRemove")) key.mark = Mark::ForceRemove;
            if (t->Is(L"NoRemove")) key.mark = Mark::NoRemove;
            if (t->Is(L"Delete")) key.mark = Mark::Delete;
            if (key.mark != Mark::None) ++pos_;
            t = Peek();
            if (!t || t->text.empty() || (!t->quoted && (t->text == L"{" || t->text == L"}" ||
                                                         t->text == L"=")))
                return false;
            key.name = tokens_[pos_++].text;
            if (Take(L"=")) {
                if (!ParseValue(key.defaultValue)) return false;
                key.hasDefault = true;
            }
            if (Take(L"{") && !ParseBody(key.children, &key, depth + 1)) return false;
            keys.push_back(std::move(key));
        }
    }

    bool ParseValue(Value& value) {
        const Token* t = Peek();
        if (!t || !(t->Is(L"s") || t->Is(L"d"))) return false;
        value.type = t->text[0];
        ++pos_;
        if (!Peek()) return false;
        value.text = tokens_[pos_++].text;
        return true;
    }

    std::vector<Token> tokens_;
    size_t pos_ = 0;
};

}  // namespace

bool Parse(const std::wstring& text, const std::map<std::wstring, std::wstring>& replacements,
           std::vector<Root>& roots) {
    Tokenizer tokenizer(text, replacements);
    std::vector<Token> tokens;
    Token token;
    while (tokenizer.Next(token.text, token.quoted)) tokens.push_back(token);
    if (tokenizer.Failed()) return false;
    // Text after a resource's last brace (a null, an end-of-file mark) is no key.
    while (!tokens.empty() && tokens.back().text.find_first_not_of(L'\0') == std::wstring::npos)
        tokens.pop_back();
    return Parser(std::move(tokens)).ParseScript(roots);
}

}  // namespace tpl::script
