#include "fuzzing/targets/text_property_bag.h"

#include <oleauto.h>

#include <cstdlib>
#include <sstream>

namespace suite::fuzzing {

namespace {

std::wstring Widen(const std::string& text) {
    std::wstring wide;
    for (unsigned char c : text) wide += static_cast<wchar_t>(c);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow += static_cast<char>(c);
    return narrow;
}

VARIANT Parse(const std::string& text) {
    VARIANT v;
    VariantInit(&v);
    std::string body = text.size() >= 2 && text[1] == ':' ? text.substr(2) : text;
    char kind = text.size() >= 2 && text[1] == ':' ? text[0] : 's';
    switch (kind) {
    case 'i': V_VT(&v) = VT_I4; V_I4(&v) = static_cast<LONG>(std::strtoll(body.c_str(), nullptr, 10)); break;
    case 'r': V_VT(&v) = VT_R8; V_R8(&v) = std::strtod(body.c_str(), nullptr); break;
    case 'b': V_VT(&v) = VT_BOOL; V_BOOL(&v) = body == "1" || body == "true" ? VARIANT_TRUE : VARIANT_FALSE; break;
    case 'e': break;
    default: V_VT(&v) = VT_BSTR; V_BSTR(&v) = SysAllocString(Widen(body).c_str()); break;
    }
    return v;
}

}  // namespace

TextPropertyBag::TextPropertyBag(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        values_.emplace_back(Widen(line.substr(0, equals)), Parse(line.substr(equals + 1)));
    }
}

TextPropertyBag::~TextPropertyBag() {
    for (auto& entry : values_) VariantClear(&entry.second);
}

STDMETHODIMP TextPropertyBag::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IPropertyBag)) return E_NOINTERFACE;
    *out = static_cast<IPropertyBag*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP TextPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    for (auto& entry : values_) {
        if (entry.first != name) continue;
        VARTYPE wanted = V_VT(value);
        VariantInit(value);
        if (wanted == VT_EMPTY) return VariantCopy(value, &entry.second);
        return VariantChangeType(value, &entry.second, 0, wanted);
    }
    return E_INVALIDARG;
}

STDMETHODIMP TextPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value) return E_POINTER;
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = VariantCopy(&copy, value);
    if (FAILED(hr)) return hr;
    values_.emplace_back(name, copy);
    return S_OK;
}

std::string TextPropertyBag::Text() const {
    std::string text;
    for (const auto& [name, value] : values_) {
        text += Narrow(name) + "=";
        VARIANT v = value;
        switch (V_VT(&v)) {
        case VT_EMPTY: text += "e:"; break;
        case VT_BOOL: text += V_BOOL(&v) ? "b:1" : "b:0"; break;
        case VT_R4: text += "r:" + std::to_string(V_R4(&v)); break;
        case VT_R8: text += "r:" + std::to_string(V_R8(&v)); break;
        case VT_BSTR: text += "s:" + Narrow(V_BSTR(&v) ? V_BSTR(&v) : L""); break;
        default: {
            VARIANT number;
            VariantInit(&number);
            if (SUCCEEDED(VariantChangeType(&number, &v, 0, VT_I4))) text += "i:" + std::to_string(V_I4(&number));
            else text += "e:";
            break;
        }
        }
        text += "\n";
    }
    return text;
}

}  // namespace suite::fuzzing
