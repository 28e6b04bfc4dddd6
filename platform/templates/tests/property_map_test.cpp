// The property map's reads, as persistence and browsing use them.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <cstring>

#include "templates/property_map.h"

namespace {

// An object without IDispatch: no property of it can be read.
class NoDispatch : public IUnknown {
public:
    virtual ~NoDispatch() = default;
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (InlineIsEqualGUID(iid, IID_IUnknown)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
};

}  // namespace

// Every caller clears the value afterwards, failure or not, so a failed read
// must leave it empty rather than as it was handed in.
TEST(PropertyMap, FailedReadLeavesAnEmptyValue) {
    NoDispatch object;
    const TplPropertyMapEntry text = {L"Text", DISPID_TEXT, &CLSID_NULL, &IID_IDispatch};
    VARIANT value;
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = reinterpret_cast<BSTR>(static_cast<UINT_PTR>(0xDEADBEEF));
    EXPECT_EQ(tpl::GetProperty(&object, text, value), E_NOINTERFACE);
    EXPECT_EQ(V_VT(&value), VT_EMPTY);
    EXPECT_EQ(VariantClear(&value), S_OK);
}

// A null string is stored as a zero length and read back null; an empty
// one keeps its terminating null.
TEST(PropertyMap, NullAndEmptyStringsKeepTheirLayout) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    VARIANT value;
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = nullptr;
    ASSERT_EQ(tpl::WriteVariant(stream, value), S_OK);
    V_BSTR(&value) = SysAllocString(L"");
    ASSERT_EQ(tpl::WriteVariant(stream, value), S_OK);
    VariantClear(&value);

    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    const unsigned char expected[] = {0x08, 0x00, 0x00, 0x00, 0x00, 0x00,
                                      0x08, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00};
    ASSERT_EQ(stat.cbSize.QuadPart, sizeof expected);
    auto* bytes = static_cast<const unsigned char*>(GlobalLock(memory));
    EXPECT_EQ(std::memcmp(bytes, expected, sizeof expected), 0);
    GlobalUnlock(memory);

    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(tpl::ReadVariant(stream, value), S_OK);
    EXPECT_EQ(V_VT(&value), VT_BSTR);
    EXPECT_EQ(V_BSTR(&value), nullptr);
    ASSERT_EQ(tpl::ReadVariant(stream, value), S_OK);
    ASSERT_NE(V_BSTR(&value), nullptr);
    EXPECT_EQ(SysStringLen(V_BSTR(&value)), 0u);
    VariantClear(&value);
    stream->Release();
}
