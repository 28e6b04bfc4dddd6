// The rest of what containers ask of the control: its OLE object answers,
// its data object, property-bag persistence and its diagnostic traces.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "fake_container.h"
#include "gleaner_server_fixture.h"
#include "testing/debug_output.h"

using namespace gleaner_test;

namespace {

// A property bag holding what the control writes into it.
class FakeBag : public IPropertyBag {
public:
    std::map<std::wstring, std::wstring> values;
    ULONG refs = 1;
    virtual ~FakeBag() = default;
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override {
        if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IPropertyBag)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++refs; }
    STDMETHOD_(ULONG, Release)() override { return --refs; }
    STDMETHOD(Read)(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        auto found = values.find(name);
        if (found == values.end()) return E_INVALIDARG;
        V_VT(value) = VT_BSTR;
        V_BSTR(value) = SysAllocString(found->second.c_str());
        return S_OK;
    }
    STDMETHOD(Write)(LPCOLESTR name, VARIANT* value) override {
        if (V_VT(value) != VT_BSTR) return E_INVALIDARG;
        values[name] = V_BSTR(value);
        return S_OK;
    }
};

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class GleanerContainerTest : public GleanerObjectTest {
protected:
    CallLog log;
};

}  // namespace

TEST_F(GleanerContainerTest, ObjectAnswersItsClassExtentAndAdviseSinks) {
    SIZEL size = {};
    SIZEL wanted = {100, 200};
    EXPECT_EQ(object->SetExtent(DVASPECT_ICON, &wanted), DV_E_DVASPECT);
    EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, nullptr), E_POINTER);
    EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, &wanted), S_OK);
    object->GetExtent(DVASPECT_CONTENT, &size);
    EXPECT_EQ(size.cx, 100);
    EXPECT_EQ(size.cy, 200);

    FakeAdviseSink sink(log);
    DWORD cookie = 0;
    ASSERT_EQ(object->Advise(&sink, &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_CALLS(log, {"OnClose"});
    EXPECT_EQ(object->Unadvise(cookie), S_OK);
    EXPECT_EQ(sink.Count(), 1u);

    // Closing with unsaved changes asks the site to save.
    FakeSite site(log, SiteKind::Plain, nullptr);
    object->SetClientSite(&site);
    EXPECT_EQ(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_CALLS(log, {"SaveObject"});
    object->SetClientSite(nullptr);
    EXPECT_EQ(site.Count(), 1u);
}

TEST_F(GleanerContainerTest, DataObjectRendersTheViewAsAMetafileAndNotifiesOnInitNew) {
    IDataObject* data = Query<IDataObject>(control, IID_IDataObject);
    FORMATETC format = {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
    STGMEDIUM medium = {};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_MFPICT));
    auto* picture = static_cast<METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
    EXPECT_EQ(picture->mm, MM_ANISOTROPIC);
    EXPECT_EQ(picture->xExt, 5080);
    EXPECT_EQ(picture->yExt, 5080);
    EXPECT_GT(GetMetaFileBitsEx(picture->hMF, 0, nullptr), 0u);
    GlobalUnlock(medium.hMetaFilePict);
    ReleaseStgMedium(&medium);
    FORMATETC bitmap = {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    EXPECT_EQ(data->GetData(&bitmap, &medium), DV_E_FORMATETC);
    // Asked beforehand, it answers for exactly what GetData renders.
    EXPECT_EQ(data->QueryGetData(&format), S_OK);
    EXPECT_EQ(data->QueryGetData(&bitmap), DV_E_FORMATETC);
    FORMATETC icon = {CF_METAFILEPICT, nullptr, DVASPECT_ICON, -1, TYMED_MFPICT};
    EXPECT_EQ(data->QueryGetData(&icon), DV_E_DVASPECT);

    FakeAdviseSink sink(log);
    DWORD cookie = 0;
    FORMATETC any = {0, nullptr, DVASPECT_CONTENT, -1, TYMED_NULL};
    ASSERT_EQ(data->DAdvise(&any, ADVF_NODATA, &sink, &cookie), S_OK);
    IPersistStreamInit* persist = Query<IPersistStreamInit>(control, IID_IPersistStreamInit);
    EXPECT_EQ(persist->InitNew(), S_OK);
    EXPECT_CALLS(log, {"OnDataChange"});
    EXPECT_EQ(data->DUnadvise(cookie), S_OK);
    EXPECT_EQ(sink.Count(), 1u);
    persist->Release();
    data->Release();
}

// A careless container gets an error code, never a crash; a successful
// enumeration always hands out an enumerator, even before any advise.
TEST_F(GleanerContainerTest, NullPointersAreRefusedAndEnumerationsAlwaysEnumerate) {
    EXPECT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, nullptr), E_POINTER);
    EXPECT_EQ(object->GetUserType(USERCLASSTYPE_FULL, nullptr), E_POINTER);
    EXPECT_EQ(object->EnumVerbs(nullptr), E_POINTER);
    DWORD cookie = 7;
    EXPECT_EQ(object->Advise(nullptr, &cookie), E_INVALIDARG);
    EXPECT_EQ(cookie, 0u);

    IEnumSTATDATA* sinks = reinterpret_cast<IEnumSTATDATA*>(1);
    ASSERT_EQ(object->EnumAdvise(&sinks), S_OK);
    ASSERT_NE(sinks, nullptr);
    STATDATA item = {};
    EXPECT_EQ(sinks->Next(1, &item, nullptr), S_FALSE);
    sinks->Release();

    IDataObject* data = Query<IDataObject>(control, IID_IDataObject);
    FakeAdviseSink sink(log);
    FORMATETC any = {0, nullptr, DVASPECT_CONTENT, -1, TYMED_NULL};
    EXPECT_EQ(data->DAdvise(&any, 0, &sink, nullptr), E_POINTER);
    cookie = 7;
    EXPECT_EQ(data->DAdvise(&any, 0, nullptr, &cookie), E_INVALIDARG);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(data->DAdvise(nullptr, 0, &sink, &cookie), E_INVALIDARG);
    EXPECT_EQ(sink.Count(), 1u);
    data->Release();
}

TEST_F(GleanerContainerTest, PropertyBagKeepsTheTextUnderItsName) {
    IPersistPropertyBag* persist = Query<IPersistPropertyBag>(control, IID_IPersistPropertyBag);
    FakeBag bag;
    ASSERT_EQ(persist->Save(&bag, TRUE, TRUE), S_OK);
    ASSERT_EQ(bag.values.size(), 1u);
    EXPECT_EQ(bag.values[L"Text"], L"Quibb's Clipboard Template Control !");

    bag.values[L"Text"] = L"from the bag";
    ASSERT_EQ(persist->Load(&bag, nullptr), S_OK);
    BSTR text = nullptr;
    control->get_Text(&text);
    EXPECT_STREQ(text, L"from the bag");
    SysFreeString(text);
    // A bag without the property leaves the value alone.
    FakeBag empty;
    EXPECT_EQ(persist->Load(&empty, nullptr), S_OK);
    control->get_Text(&text);
    EXPECT_STREQ(text, L"from the bag");
    SysFreeString(text);
    EXPECT_EQ(bag.refs, 1u);
    persist->Release();
}

TEST_F(GleanerContainerTest, StockMethodsTraceTheirNamesAndDestructionIsTraced) {
    suite::testing::DebugOutputCapture trace;
    SIZEL size;
    object->GetExtent(DVASPECT_CONTENT, &size);
    IOleControl* oleControl = Query<IOleControl>(control, IID_IOleControl);
    EXPECT_EQ(oleControl->FreezeEvents(TRUE), S_OK);
    EXPECT_EQ(oleControl->FreezeEvents(FALSE), S_OK);
    EXPECT_EQ(oleControl->OnAmbientPropertyChange(DISPID_UNKNOWN), S_OK);
    oleControl->Release();
    auto lines = trace.Take();
    EXPECT_TRUE(Contains(lines, "IOleObjectImpl::GetExtent\n"));
    EXPECT_TRUE(Contains(lines, "IOleControlImpl::FreezeEvents\n"));
    EXPECT_TRUE(Contains(lines, "TGleanerImpl 3>\n"));  // the query's new reference
    EXPECT_TRUE(Contains(lines, "TGleanerImpl 2<\n"));

    EndControl();
    lines = trace.Take();
    EXPECT_TRUE(Contains(lines, "TGleanerImpl 0<\n"));
    EXPECT_TRUE(Contains(lines, "Control Destroyed\n"));
}
