#include "templates/property_impl.h"

#include <new>

namespace tpl {

namespace {

// Each page once, in map order.
void CollectPages(const TplPropertyMapEntry* map, std::vector<CLSID>& found) {
    for (const TplPropertyMapEntry* e = map; !IsMapEnd(*e); ++e) {
        if (!e->page || InlineIsEqualGUID(*e->page, CLSID_NULL)) continue;
        bool seen = false;
        for (const CLSID& c : found) seen = seen || InlineIsEqualGUID(c, *e->page);
        if (!seen) found.push_back(*e->page);
    }
}

}  // namespace

HRESULT PagesFromMap(const TplPropertyMapEntry* map, CAUUID* pages) {
    if (!pages) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = nullptr;
    std::vector<CLSID> found;
    try {
        CollectPages(map, found);
    } catch (const std::bad_alloc&) {  // no exception may leave a COM method
        return E_OUTOFMEMORY;
    }
    if (found.empty()) return S_OK;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(found.size() * sizeof(GUID)));
    if (!pages->pElems) return E_OUTOFMEMORY;
    for (size_t i = 0; i < found.size(); ++i) pages->pElems[i] = found[i];
    pages->cElems = static_cast<ULONG>(found.size());
    return S_OK;
}

const TplPropertyMapEntry* FindProperty(const TplPropertyMapEntry* map, DISPID id) {
    for (const TplPropertyMapEntry* e = map; !IsMapEnd(*e); ++e)
        if (IsPropertyEntry(*e) && e->dispid == id) return e;
    return nullptr;
}

HRESULT CopyPicture(IPictureDisp* source, IPictureDisp** copy) {
    *copy = nullptr;
    IPersistStream* persist = nullptr;
    HRESULT hr = source->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist));
    if (FAILED(hr)) return hr;
    // The block starts at the picture's maximum saved size when it knows it;
    // the stream grows as needed either way.
    ULARGE_INTEGER size = {};
    if (FAILED(persist->GetSizeMax(&size))) size.QuadPart = 0;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size.QuadPart));
    if (!memory) hr = E_OUTOFMEMORY;
    IStream* stream = nullptr;
    if (SUCCEEDED(hr)) {
        hr = CreateStreamOnHGlobal(memory, TRUE, &stream);  // the stream frees the block
        if (FAILED(hr)) GlobalFree(memory);
    }
    if (SUCCEEDED(hr)) hr = persist->Save(stream, FALSE);
    if (SUCCEEDED(hr)) {
        LARGE_INTEGER start = {};
        hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    }
    if (SUCCEEDED(hr))
        hr = OleLoadPicture(stream, 0, FALSE, IID_IPictureDisp, reinterpret_cast<void**>(copy));
    if (stream) stream->Release();
    persist->Release();
    return hr;
}

}  // namespace tpl
