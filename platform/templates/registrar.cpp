#include "templates/registrar.h"

#include <cwctype>
#include <vector>

namespace tpl {
namespace {

constexpr HRESULT kBadScript = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

enum class Mark { None, ForceRemove, NoRemove, Delete };

struct Value {
    wchar_t type = L's';
    std::wstring text;
};

struct Key {
    std::wstring name;
    Mark mark = Mark::None;
    bool hasDefault = false;
    Value defaultValue;
    std::vector<std::pair<std::wstring, Value>> namedValues;
    std::vector<Key> children;
};

struct Root {
    HKEY hive;
    std::vector<Key> keys;
};

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
            if (!root.hive || !Take(L"{") || !ParseBody(root.keys, nullptr)) return false;
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

    // After '{': keys and named values up to the matching '}'.
    bool ParseBody(std::vector<Key>& keys, Key* owner) {
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
            if (Take(L"{") && !ParseBody(key.children, &key)) return false;
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

HRESULT FromWin32(LONG error) { return HRESULT_FROM_WIN32(static_cast<DWORD>(error)); }

LONG SetValue(HKEY key, const wchar_t* name, const Value& value) {
    if (value.type == L'd') {
        DWORD number = std::wcstoul(value.text.c_str(), nullptr, 0);
        return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                              sizeof number);
    }
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                          static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t)));
}

LONG DeleteTree(HKEY parent, const std::wstring& name) {
    LONG r = RegDeleteTreeW(parent, name.c_str());
    if (r == ERROR_SUCCESS) r = RegDeleteKeyW(parent, name.c_str());
    return r == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : r;
}

HRESULT RegisterKey(HKEY parent, const Key& key) {
    if (key.mark == Mark::Delete) return FromWin32(DeleteTree(parent, key.name));
    if (key.mark == Mark::ForceRemove) {
        LONG r = DeleteTree(parent, key.name);
        if (r != ERROR_SUCCESS) return FromWin32(r);
    }
    HKEY opened = nullptr;
    LONG r = RegCreateKeyExW(parent, key.name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                             nullptr, &opened, nullptr);
    if (r != ERROR_SUCCESS) return FromWin32(r);
    if (key.hasDefault) r = SetValue(opened, nullptr, key.defaultValue);
    for (size_t i = 0; r == ERROR_SUCCESS && i < key.namedValues.size(); ++i)
        r = SetValue(opened, key.namedValues[i].first.c_str(), key.namedValues[i].second);
    HRESULT hr = FromWin32(r);
    for (size_t i = 0; SUCCEEDED(hr) && i < key.children.size(); ++i)
        hr = RegisterKey(opened, key.children[i]);
    RegCloseKey(opened);
    return hr;
}

// A plain key goes only when nothing but what the script wrote is left in
// it, so entries that others added below it survive.
HRESULT UnregisterKey(HKEY parent, const Key& key) {
    if (key.mark == Mark::Delete) return S_OK;
    if (key.mark == Mark::ForceRemove) return FromWin32(DeleteTree(parent, key.name));
    HKEY opened = nullptr;
    LONG r = RegOpenKeyExW(parent, key.name.c_str(), 0, KEY_READ | KEY_WRITE, &opened);
    if (r == ERROR_FILE_NOT_FOUND) return S_OK;
    if (r != ERROR_SUCCESS) return FromWin32(r);
    HRESULT hr = S_OK;
    for (const Key& child : key.children) {
        HRESULT childHr = UnregisterKey(opened, child);
        if (FAILED(childHr) && SUCCEEDED(hr)) hr = childHr;
    }
    if (key.mark == Mark::NoRemove) {
        RegCloseKey(opened);
        return hr;
    }
    for (const auto& named : key.namedValues) RegDeleteValueW(opened, named.first.c_str());
    DWORD subkeys = 0, values = 0;
    RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
    DWORD defaultSize = 0;
    bool hasDefault = RegQueryValueExW(opened, nullptr, nullptr, nullptr, nullptr,
                                       &defaultSize) == ERROR_SUCCESS;
    RegCloseKey(opened);
    if (subkeys == 0 && values == (hasDefault ? 1u : 0u)) {
        r = RegDeleteKeyW(parent, key.name.c_str());
        if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND && SUCCEEDED(hr)) hr = FromWin32(r);
    }
    return hr;
}

}  // namespace

void Registrar::AddReplacement(const std::wstring& name, const std::wstring& value) {
    replacements_[name] = value;
}

HRESULT Registrar::StringRegister(const std::wstring& script) { return Run(script, true); }
HRESULT Registrar::StringUnregister(const std::wstring& script) { return Run(script, false); }

HRESULT Registrar::ResourceRegister(HINSTANCE module, UINT id, const wchar_t* type) {
    return RunResource(module, id, type, true);
}
HRESULT Registrar::ResourceUnregister(HINSTANCE module, UINT id, const wchar_t* type) {
    return RunResource(module, id, type, false);
}

HRESULT Registrar::RunResource(HINSTANCE module, UINT id, const wchar_t* type, bool doRegister) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return HRESULT_FROM_WIN32(GetLastError());
    HGLOBAL loaded = LoadResource(module, found);
    DWORD size = SizeofResource(module, found);
    const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!text) return HRESULT_FROM_WIN32(GetLastError());
    int wide = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(size), nullptr, 0);
    std::wstring script(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(size), script.data(), wide);
    return Run(script, doRegister);
}

HRESULT Registrar::Run(const std::wstring& script, bool doRegister) {
    Tokenizer tokenizer(script, replacements_);
    std::vector<Token> tokens;
    Token token;
    while (tokenizer.Next(token.text, token.quoted)) tokens.push_back(token);
    if (tokenizer.Failed()) return kBadScript;
    // Text after a resource's last brace (a null, an end-of-file mark) is no key.
    while (!tokens.empty() && tokens.back().text.find_first_not_of(L'\0') == std::wstring::npos)
        tokens.pop_back();

    std::vector<Root> roots;
    if (!Parser(std::move(tokens)).ParseScript(roots)) return kBadScript;
    for (const Root& root : roots)
        for (const Key& key : root.keys) {
            HRESULT hr = doRegister ? RegisterKey(root.hive, key) : UnregisterKey(root.hive, key);
            if (FAILED(hr)) return hr;
        }
    return S_OK;
}

}  // namespace tpl
