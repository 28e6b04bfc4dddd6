// The stock persistence over the property map: the stream layout (its
// version word, the extent, each property as a variant), the storage's
// "Contents" stream, the property bag, and what loading and saving do to
// the dirty flag and the data sinks.
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "stock_control.h"
#include "testing/fake_sinks.h"

namespace {

// A property bag holding what the control writes into it.
class FakeBag : public suite::testing::FakeObject<IPropertyBag> {
public:
    using FakeObject::FakeObject;
    std::map<std::wstring, std::wstring> values;
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IPropertyBag))
            return Give(this, out);
        return E_NOINTERFACE;
    }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        auto found = values.find(name);
        if (found == values.end()) return E_INVALIDARG;
        V_VT(value) = VT_BSTR;
        V_BSTR(value) = SysAllocString(found->second.c_str());
        return S_OK;
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override {
        if (V_VT(value) != VT_BSTR) return E_INVALIDARG;
        values[name] = V_BSTR(value);
        return S_OK;
    }
};

class StockPersistenceTest : public StockTest {
protected:
    std::wstring Text(IUnknown* of) {
        IStockControl* stock = suite::testing::Query<IStockControl>(of, IID_IStockControl);
        BSTR text = nullptr;
        EXPECT_EQ(stock->get_Text(&text), S_OK);
        stock->Release();
        return suite::testing::TakeString(text);
    }
    void SetText(const wchar_t* value) {
        IStockControl* stock = Get<IStockControl>(IID_IStockControl);
        BSTR text = value ? SysAllocString(value) : nullptr;
        EXPECT_EQ(stock->put_Text(text), S_OK);
        SysFreeString(text);
        stock->Release();
    }
    // A stream holding the bytes, read from the start.
    static IStream* StreamOf(const std::vector<unsigned char>& bytes) {
        IStream* stream = nullptr;
        CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        return stream;
    }
    static std::vector<unsigned char> BytesOf(IStream* stream) {
        STATSTG stat = {};
        stream->Stat(&stat, STATFLAG_NONAME);
        std::vector<unsigned char> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
        stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        return bytes;
    }
};

// The layout of one control with the text "ab" at the given version and
// extent: version, the extent when the version is at most 0x200, then the
// text as a wide-string variant.
std::vector<unsigned char> Saved(DWORD version, LONG width, LONG height) {
    std::vector<unsigned char> bytes;
    auto put = [&](const void* data, size_t size) {
        auto* p = static_cast<const unsigned char*>(data);
        bytes.insert(bytes.end(), p, p + size);
    };
    put(&version, 4);
    if (version <= 0x200) {
        put(&width, 4);
        put(&height, 4);
    }
    const WORD type = VT_BSTR;
    const DWORD length = 6;
    put(&type, 2);
    put(&length, 4);
    put(L"ab", 6);
    return bytes;
}

}  // namespace

TEST_F(StockPersistenceTest, StreamHoldsVersionExtentAndEachPropertyAndLoadsIntoAFreshControl) {
    SetText(L"ab");
    SIZEL extent = {1000, 2000};
    ASSERT_EQ(object->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
    IPersistStreamInit* persist = Get<IPersistStreamInit>(IID_IPersistStreamInit);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ASSERT_EQ(persist->Save(stream, TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    EXPECT_EQ(BytesOf(stream), Saved(0x200, 1000, 2000));
    ULARGE_INTEGER size = {};
    EXPECT_EQ(persist->GetSizeMax(&size), E_NOTIMPL);
    persist->Release();

    IUnknown* fresh = CreateStockControl();
    ASSERT_NE(fresh, nullptr);
    auto* freshPersist = suite::testing::Query<IPersistStreamInit>(fresh, IID_IPersistStreamInit);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(freshPersist->Load(stream), S_OK);
    EXPECT_EQ(Text(fresh), L"ab");
    auto* freshObject = suite::testing::Query<IOleObject>(fresh, IID_IOleObject);
    SIZEL loaded = {};
    EXPECT_EQ(freshObject->GetExtent(DVASPECT_CONTENT, &loaded), S_OK);
    EXPECT_EQ(loaded.cx, 1000);
    EXPECT_EQ(loaded.cy, 2000);
    EXPECT_EQ(freshPersist->IsDirty(), S_FALSE);
    freshObject->Release();
    freshPersist->Release();
    EXPECT_EQ(fresh->Release(), 0u);
    stream->Release();
}

TEST_F(StockPersistenceTest, NewerStreamsCarryNoExtentAndACutOneLoadsNoText) {
    IPersistStreamInit* persist = Get<IPersistStreamInit>(IID_IPersistStreamInit);
    IStream* newer = StreamOf(Saved(0x201, 0, 0));
    ASSERT_EQ(persist->Load(newer), S_OK);
    newer->Release();
    EXPECT_EQ(Text(control), L"ab");
    SIZEL extent = {};
    object->GetExtent(DVASPECT_CONTENT, &extent);
    EXPECT_EQ(extent.cx, 5080);  // kept: a newer stream holds none
    EXPECT_EQ(extent.cy, 5080);

    // Cut in the middle of the text: the load fails and invents nothing.
    SetText(L"kept");
    std::vector<unsigned char> cut = Saved(0x200, 1, 1);
    cut.resize(20);
    IStream* broken = StreamOf(cut);
    EXPECT_TRUE(FAILED(persist->Load(broken)));
    broken->Release();
    EXPECT_EQ(Text(control), L"kept");

    persist->Release();
}

TEST_F(StockPersistenceTest, StorageKeepsTheStreamAsContents) {
    ILockBytes* bytes = nullptr;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes), S_OK);
    IStorage* storage = nullptr;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                           0, &storage),
              S_OK);
    SetText(L"ab");
    IPersistStorage* persist = Get<IPersistStorage>(IID_IPersistStorage);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ASSERT_EQ(persist->Save(storage, TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    IStream* contents = nullptr;
    ASSERT_EQ(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                  &contents),
              S_OK);
    EXPECT_EQ(BytesOf(contents), Saved(0x200, 5080, 5080));
    contents->Release();

    IUnknown* fresh = CreateStockControl();
    ASSERT_NE(fresh, nullptr);
    auto* freshPersist = suite::testing::Query<IPersistStorage>(fresh, IID_IPersistStorage);
    ASSERT_EQ(freshPersist->Load(storage), S_OK);
    EXPECT_EQ(Text(fresh), L"ab");
    freshPersist->Release();
    EXPECT_EQ(fresh->Release(), 0u);
    persist->Release();
    storage->Release();
    bytes->Release();
}

TEST_F(StockPersistenceTest, PropertyBagKeepsEachPropertyUnderItsName) {
    IPersistPropertyBag* persist = Get<IPersistPropertyBag>(IID_IPersistPropertyBag);
    FakeBag bag(log);
    ASSERT_EQ(persist->Save(&bag, TRUE, TRUE), S_OK);
    EXPECT_EQ(bag.values, (std::map<std::wstring, std::wstring>{{L"Text", L"stock"}}));

    bag.values[L"Text"] = L"from the bag";
    ASSERT_EQ(persist->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(Text(control), L"from the bag");
    // A bag without the property leaves the value alone.
    FakeBag empty(log);
    EXPECT_EQ(persist->Load(&empty, nullptr), S_OK);
    EXPECT_EQ(Text(control), L"from the bag");
    EXPECT_EQ(bag.refs, 0);
    persist->Release();
}

TEST_F(StockPersistenceTest, InitNewTellsTheDataSinks) {
    IDataObject* data = Get<IDataObject>(IID_IDataObject);
    suite::testing::FakeAdviseSink sink(log);
    DWORD cookie = 0;
    FORMATETC any = {0, nullptr, DVASPECT_CONTENT, -1, TYMED_NULL};
    ASSERT_EQ(data->DAdvise(&any, ADVF_NODATA, &sink, &cookie), S_OK);
    IPersistStreamInit* stream = Get<IPersistStreamInit>(IID_IPersistStreamInit);
    EXPECT_EQ(stream->InitNew(), S_OK);
    IPersistStorage* storage = Get<IPersistStorage>(IID_IPersistStorage);
    IStorage* fresh = nullptr;
    ASSERT_EQ(StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE,
                               0, &fresh),
              S_OK);
    EXPECT_EQ(storage->InitNew(fresh), S_OK);
    EXPECT_CALLS(log, {"OnDataChange", "OnDataChange"});
    fresh->Release();
    EXPECT_EQ(data->DUnadvise(cookie), S_OK);
    EXPECT_EQ(sink.refs, 0);
    storage->Release();
    stream->Release();
    data->Release();
}
