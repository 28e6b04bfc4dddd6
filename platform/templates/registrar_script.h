// The registration script's parsed form: roots, keys with their marks,
// default and named values. Parsing never touches the registry.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace tpl::script {

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

// False when the script is malformed, nests keys more than 64 deep or
// names an unknown %REPLACEMENT%.
bool Parse(const std::wstring& text, const std::map<std::wstring, std::wstring>& replacements,
           std::vector<Root>& roots);

}  // namespace tpl::script
