#include "templates/property_map.h"

#include <cstring>
#include <vector>

namespace tpl {
namespace {

HRESULT Dispatch(IUnknown* object, const TplPropertyMapEntry& entry, IDispatch** out) {
    return object->QueryInterface(*entry.dispatchIid, reinterpret_cast<void**>(out));
}

HRESULT WriteExact(IStream* stream, const void* data, ULONG size) {
    ULONG written = 0;
    HRESULT hr = stream->Write(data, size, &written);
    if (SUCCEEDED(hr) && written != size) hr = STG_E_MEDIUMFULL;
    return hr;
}

HRESULT ReadExact(IStream* stream, void* data, ULONG size) {
    ULONG read = 0;
    HRESULT hr = stream->Read(data, size, &read);
    if (SUCCEEDED(hr) && read != size) hr = STG_E_READFAULT;
    return hr;
}

// Bytes of the fixed-size types the layout stores as they are.
ULONG FixedSize(VARTYPE type) {
    switch (type) {
    case VT_EMPTY: case VT_NULL: return 0;
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
    case VT_R8: case VT_CY: case VT_DATE: case VT_I8: case VT_UI8: return 8;
    default: return ~0u;
    }
}

}  // namespace

HRESULT GetProperty(IUnknown* object, const TplPropertyMapEntry& entry, VARIANT& value) {
    // Callers clear the value whatever the outcome: it must never hold garbage.
    VariantInit(&value);
    IDispatch* dispatch = nullptr;
    HRESULT hr = Dispatch(object, entry, &dispatch);
    if (FAILED(hr)) return hr;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    hr = dispatch->Invoke(entry.dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                          &none, &value, nullptr, nullptr);
    dispatch->Release();
    return hr;
}

HRESULT PutProperty(IUnknown* object, const TplPropertyMapEntry& entry, VARIANT& value) {
    IDispatch* dispatch = nullptr;
    HRESULT hr = Dispatch(object, entry, &dispatch);
    if (FAILED(hr)) return hr;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    hr = dispatch->Invoke(entry.dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                          &params, nullptr, nullptr, nullptr);
    dispatch->Release();
    return hr;
}

HRESULT WriteVariant(IStream* stream, const VARIANT& value) {
    VARTYPE type = V_VT(&value);
    HRESULT hr = WriteExact(stream, &type, sizeof type);
    if (FAILED(hr)) return hr;
    if (type == VT_BSTR) {
        BSTR text = V_BSTR(&value);
        ULONG bytes = text ? SysStringByteLen(text) + sizeof(OLECHAR) : 0;
        hr = WriteExact(stream, &bytes, sizeof bytes);
        if (SUCCEEDED(hr) && bytes) hr = WriteExact(stream, text, bytes);
        return hr;
    }
    ULONG size = FixedSize(type);
    if (size == ~0u) return DISP_E_BADVARTYPE;
    return size ? WriteExact(stream, &V_UI1(&value), size) : S_OK;
}

HRESULT ReadVariant(IStream* stream, VARIANT& value) {
    VariantInit(&value);
    VARTYPE type = VT_EMPTY;
    HRESULT hr = ReadExact(stream, &type, sizeof type);
    if (FAILED(hr)) return hr;
    if (type == VT_BSTR) {
        ULONG bytes = 0;
        hr = ReadExact(stream, &bytes, sizeof bytes);
        if (FAILED(hr)) return hr;
        V_VT(&value) = VT_BSTR;
        V_BSTR(&value) = nullptr;
        if (bytes == 0) return S_OK;
        // A count that cannot hold whole characters and the null is corrupt.
        if (bytes % sizeof(OLECHAR) != 0 || bytes < sizeof(OLECHAR) || bytes > 0x10000000)
            return STG_E_READFAULT;
        BSTR text = SysAllocStringByteLen(nullptr, bytes - sizeof(OLECHAR));
        if (!text) return E_OUTOFMEMORY;
        hr = ReadExact(stream, text, bytes);
        if (FAILED(hr)) {
            SysFreeString(text);
            return hr;
        }
        text[bytes / sizeof(OLECHAR) - 1] = L'\0';
        V_BSTR(&value) = text;
        return S_OK;
    }
    ULONG size = FixedSize(type);
    if (size == ~0u) return DISP_E_BADVARTYPE;
    V_VT(&value) = type;
    return size ? ReadExact(stream, &V_UI1(&value), size) : S_OK;
}

HRESULT SaveProperties(IStream* stream, const TplPropertyMapEntry* map, IUnknown* object,
                       SIZEL extent) {
    DWORD version = kPersistVersion;
    HRESULT hr = WriteExact(stream, &version, sizeof version);
    if (SUCCEEDED(hr)) hr = WriteExact(stream, &extent, sizeof extent);
    for (const TplPropertyMapEntry* e = map; SUCCEEDED(hr) && !IsMapEnd(*e); ++e) {
        if (!IsPropertyEntry(*e)) continue;
        VARIANT value;
        hr = GetProperty(object, *e, value);
        if (SUCCEEDED(hr)) hr = WriteVariant(stream, value);
        VariantClear(&value);
    }
    return hr;
}

namespace {

// Variants that are cleared when they go.
struct VariantList {
    std::vector<std::pair<const TplPropertyMapEntry*, VARIANT>> items;
    ~VariantList() {
        for (auto& item : items) VariantClear(&item.second);
    }
};

}  // namespace

// Everything is read before anything is applied, and when the object
// refuses a value the ones already put are put back: a stream that is
// refused leaves the object and its extent as they were.
HRESULT LoadProperties(IStream* stream, const TplPropertyMapEntry* map, IUnknown* object,
                       SIZEL& extent) {
    DWORD version = 0;
    HRESULT hr = ReadExact(stream, &version, sizeof version);
    if (FAILED(hr)) return hr;
    SIZEL readExtent = extent;
    if (version <= kPersistVersion) {
        hr = ReadExact(stream, &readExtent, sizeof readExtent);
        if (FAILED(hr)) return hr;
    }
    VariantList values;
    for (const TplPropertyMapEntry* e = map; !IsMapEnd(*e); ++e) {
        if (!IsPropertyEntry(*e)) continue;
        VARIANT value;
        hr = ReadVariant(stream, value);
        if (FAILED(hr)) return hr;
        values.items.emplace_back(e, value);
    }
    VariantList previous;
    for (auto& [entry, value] : values.items) {
        VARIANT old;
        VariantInit(&old);
        if (FAILED(GetProperty(object, *entry, old))) VariantClear(&old);
        previous.items.emplace_back(entry, old);
    }
    for (size_t i = 0; i < values.items.size(); ++i) {
        hr = PutProperty(object, *values.items[i].first, values.items[i].second);
        if (FAILED(hr)) {
            while (i-- > 0)
                if (V_VT(&previous.items[i].second) != VT_EMPTY)
                    PutProperty(object, *previous.items[i].first, previous.items[i].second);
            return hr;
        }
    }
    extent = readExtent;
    return S_OK;
}

}  // namespace tpl
