#include "templates/registrar.h"

#include <cwchar>
#include <vector>

#include "templates/registrar_script.h"

namespace tpl {
namespace {

using script::Key;
using script::Mark;
using script::Root;
using script::Value;

constexpr HRESULT kBadScript = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

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
    std::vector<Root> roots;
    if (!script::Parse(script, replacements_, roots)) return kBadScript;
    for (const Root& root : roots)
        for (const Key& key : root.keys) {
            HRESULT hr = doRegister ? RegisterKey(root.hive, key) : UnregisterKey(root.hive, key);
            if (FAILED(hr)) return hr;
        }
    return S_OK;
}

}  // namespace tpl
