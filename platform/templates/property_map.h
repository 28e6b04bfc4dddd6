// The property map: the persisted and browsable properties of a class,
// each read and written through the class's IDispatch, and the property
// pages the class offers.
//
//   BEGIN_PROP_MAP(TThing)
//       PROP_ENTRY("Text", DISPID_TEXT, CLSID_NULL)
//       PROP_PAGE(CLSID_StockPicturePage)
//   END_PROP_MAP()
#pragma once
#include <windows.h>
#include <ole2.h>

struct TplPropertyMapEntry {
    const wchar_t* description;  // null: a page-only entry; null page too ends the map
    DISPID dispid;
    const CLSID* page;
    const IID* dispatchIid;
};

#define BEGIN_PROP_MAP(x)                                        \
    static const TplPropertyMapEntry* GetPropertyMap() {         \
        static const TplPropertyMapEntry entries[] = {
#define PROP_ENTRY(description, dispid, clsidPage) \
    {L"" description, dispid, &clsidPage, &IID_IDispatch},
#define PROP_PAGE(clsidPage) {nullptr, 0, &clsidPage, &IID_NULL},
#define END_PROP_MAP()                  \
    {nullptr, 0, nullptr, nullptr}      \
    }                                   \
    ;                                   \
    return entries;                     \
    }

namespace tpl {

// The version word the persisted layout starts with; older versions also
// carry the extent, newer ones would not.
constexpr DWORD kPersistVersion = 0x0200;

inline bool IsPropertyEntry(const TplPropertyMapEntry& e) { return e.description != nullptr; }
inline bool IsMapEnd(const TplPropertyMapEntry& e) { return !e.description && !e.page; }

HRESULT GetProperty(IUnknown* object, const TplPropertyMapEntry& entry, VARIANT& value);
HRESULT PutProperty(IUnknown* object, const TplPropertyMapEntry& entry, VARIANT& value);

// A variant in the stream: its 2-byte type, then its value (a string as a
// 4-byte byte count including the terminating null, or 0 for a null
// string, then its UTF-16 characters).
HRESULT WriteVariant(IStream* stream, const VARIANT& value);
HRESULT ReadVariant(IStream* stream, VARIANT& value);

HRESULT SaveProperties(IStream* stream, const TplPropertyMapEntry* map, IUnknown* object,
                       SIZEL extent);
HRESULT LoadProperties(IStream* stream, const TplPropertyMapEntry* map, IUnknown* object,
                       SIZEL& extent);

}  // namespace tpl
