// The stock properties and what describes them: Text and Picture writes
// with their property-change sinks, the pages and browsing of the property
// map, class information, object safety, and the connection points.
#include "stock_control.h"
#include "testing/fake_sinks.h"

using suite::testing::FakeAdviseSink;
using suite::testing::FakeEventSink;
using suite::testing::FakePropertySink;

namespace {

class StockPropertiesTest : public StockTest {
protected:
    void SetUp() override {
        StockTest::SetUp();
        stock = Get<IStockControl>(IID_IStockControl);
    }
    void TearDown() override {
        if (stock) stock->Release();
        StockTest::TearDown();
    }
    IConnectionPoint* Point(REFIID iid) {
        IConnectionPointContainer* container = Get<IConnectionPointContainer>(IID_IConnectionPointContainer);
        IConnectionPoint* point = nullptr;
        EXPECT_EQ(container->FindConnectionPoint(iid, &point), S_OK);
        container->Release();
        return point;
    }
    std::wstring Text() {
        BSTR text = nullptr;
        EXPECT_EQ(stock->get_Text(&text), S_OK);
        return suite::testing::TakeString(text);
    }
    IStockControl* stock = nullptr;
};

}  // namespace

TEST_F(StockPropertiesTest, TextWriteAsksTheSinksAndARefusalChangesNothing) {
    IConnectionPoint* point = Point(IID_IPropertyNotifySink);
    FakePropertySink sink(log);
    FakeAdviseSink view(log);
    IViewObject* viewObject = Get<IViewObject>(IID_IViewObject);
    ASSERT_EQ(viewObject->SetAdvise(DVASPECT_CONTENT, 0, &view), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    IPersistStreamInit* persist = Get<IPersistStreamInit>(IID_IPersistStreamInit);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    sink.refuse = true;
    BSTR value = SysAllocString(L"refused");
    EXPECT_EQ(stock->put_Text(value), S_FALSE);
    SysFreeString(value);
    EXPECT_CALLS(log, {"OnRequestEdit(-517)"});
    EXPECT_EQ(Text(), L"stock");
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    sink.refuse = false;
    value = SysAllocString(L"accepted");
    EXPECT_EQ(stock->put_Text(value), S_OK);
    SysFreeString(value);
    EXPECT_CALLS(log, {"OnRequestEdit(-517)", "OnChanged(-517)", "OnViewChange(1,-1)"});
    EXPECT_EQ(Text(), L"accepted");
    EXPECT_EQ(persist->IsDirty(), S_OK);

    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(sink.refs, 0);
    viewObject->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    EXPECT_EQ(view.refs, 0);
    viewObject->Release();
    persist->Release();
    point->Release();
}

// The platform's pictures save a 24-bit bitmap in a form they load again
// (not a 32-bit one, see docs/platform.md).
TEST_F(StockPropertiesTest, PictureWriteKeepsACopyOfTheArgument) {
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof format.bmiHeader, 8, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    PICTDESC description = {sizeof description, PICTYPE_BITMAP, {}};
    description.bmp.hbitmap = bitmap;
    IPictureDisp* picture = nullptr;
    ASSERT_EQ(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                                       reinterpret_cast<void**>(&picture)),
              S_OK);
    ASSERT_EQ(stock->put_Picture(picture), S_OK);
    IPictureDisp* held = nullptr;
    ASSERT_EQ(stock->get_Picture(&held), S_OK);
    ASSERT_NE(held, nullptr);
    EXPECT_NE(held, picture);
    IPicture* copy = suite::testing::Query<IPicture>(held, IID_IPicture);
    IPicture* original = suite::testing::Query<IPicture>(picture, IID_IPicture);
    OLE_XSIZE_HIMETRIC copyWidth = 0, width = 0;
    SHORT type = 0;
    copy->get_Type(&type);
    copy->get_Width(&copyWidth);
    original->get_Width(&width);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    EXPECT_EQ(copyWidth, width);
    copy->Release();
    original->Release();
    EXPECT_EQ(held->Release(), 1u);  // the control's own
    EXPECT_EQ(picture->Release(), 0u);

    ASSERT_EQ(stock->put_Picture(nullptr), S_OK);
    held = reinterpret_cast<IPictureDisp*>(1);
    EXPECT_EQ(stock->get_Picture(&held), S_OK);
    EXPECT_EQ(held, nullptr);
}

TEST_F(StockPropertiesTest, PagesBrowsingClassInformationAndSafety) {
    ISpecifyPropertyPages* pages = Get<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
    CAUUID list = {};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 1u);
    EXPECT_TRUE(IsEqualCLSID(list.pElems[0], CLSID_StockControlPage));
    CoTaskMemFree(list.pElems);
    pages->Release();

    IPerPropertyBrowsing* browsing = Get<IPerPropertyBrowsing>(IID_IPerPropertyBrowsing);
    CLSID page = CLSID_StockControlPage;
    EXPECT_EQ(browsing->MapPropertyToPage(DISPID_TEXT, &page), S_OK);
    EXPECT_TRUE(IsEqualCLSID(page, CLSID_NULL));
    page = CLSID_StockControlPage;
    EXPECT_EQ(browsing->MapPropertyToPage(DISPID_PICTURE, &page), E_INVALIDARG);
    EXPECT_TRUE(IsEqualCLSID(page, CLSID_NULL));
    BSTR shown = nullptr;
    ASSERT_EQ(browsing->GetDisplayString(DISPID_TEXT, &shown), S_OK);
    EXPECT_STREQ(shown, L"stock");
    SysFreeString(shown);
    EXPECT_EQ(browsing->GetDisplayString(DISPID_PICTURE, &shown), E_INVALIDARG);
    browsing->Release();

    IProvideClassInfo2* info = Get<IProvideClassInfo2>(IID_IProvideClassInfo2);
    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(info->GetClassInfo(&coclass), S_OK);
    TYPEATTR* attr = nullptr;
    coclass->GetTypeAttr(&attr);
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_TRUE(IsEqualCLSID(attr->guid, CLSID_StockControl));
    coclass->ReleaseTypeAttr(attr);
    coclass->Release();
    GUID source = GUID_NULL;
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_TRUE(IsEqualGUID(source, DIID_DIStockControlEvents));
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID + 1, &source), E_FAIL);
    EXPECT_TRUE(IsEqualGUID(source, GUID_NULL));
    info->Release();

    IObjectSafety* safety = Get<IObjectSafety>(IID_IObjectSafety);
    DWORD supported = 9, enabled = 9;
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled), S_OK);
    EXPECT_EQ(supported, 1u);
    EXPECT_EQ(enabled, 0u);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IDispatch, 3, 3), S_OK);
    safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled);
    EXPECT_EQ(enabled, 1u);
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IStockControl, &supported, &enabled), E_NOINTERFACE);
    EXPECT_EQ(supported, 0u);
    EXPECT_EQ(enabled, 0u);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IUnknown, 1, 1), E_NOINTERFACE);
    safety->Release();
}

TEST_F(StockPropertiesTest, ConnectionPointsKeepTheirSinksInTheirSlots) {
    IConnectionPointContainer* container = Get<IConnectionPointContainer>(IID_IConnectionPointContainer);
    IConnectionPoint* none = reinterpret_cast<IConnectionPoint*>(1);
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &none), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(none, nullptr);
    IEnumConnectionPoints* points = nullptr;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    IConnectionPoint* listed[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(3, listed, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    IID iid;
    listed[0]->GetConnectionInterface(&iid);
    EXPECT_TRUE(IsEqualIID(iid, IID_IPropertyNotifySink));
    listed[1]->GetConnectionInterface(&iid);
    EXPECT_TRUE(IsEqualIID(iid, DIID_DIStockControlEvents));
    IConnectionPointContainer* back = nullptr;
    ASSERT_EQ(listed[1]->GetConnectionPointContainer(&back), S_OK);
    EXPECT_EQ(back, container);
    back->Release();
    listed[0]->Release();
    listed[1]->Release();
    points->Release();
    container->Release();

    // The event point has two slots; a freed slot is used again.
    IConnectionPoint* events = Point(DIID_DIStockControlEvents);
    FakeEventSink sink(log, DIID_DIStockControlEvents);
    FakeEventSink deaf(log, GUID_NULL);
    DWORD cookies[2] = {};
    DWORD third = 99;
    EXPECT_EQ(events->Advise(&deaf, &third), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(third, 0u);
    for (DWORD& c : cookies) ASSERT_EQ(events->Advise(&sink, &c), S_OK);
    EXPECT_EQ(events->Advise(&sink, &third), CONNECT_E_ADVISELIMIT);
    EXPECT_EQ(third, 0u);
    EXPECT_EQ(sink.refs, 2);
    IEnumConnections* connections = nullptr;
    ASSERT_EQ(events->EnumConnections(&connections), S_OK);
    CONNECTDATA data[3] = {};
    EXPECT_EQ(connections->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[1].dwCookie, cookies[1]);
    data[0].pUnk->Release();
    data[1].pUnk->Release();
    connections->Release();
    EXPECT_EQ(events->Unadvise(cookies[0]), S_OK);
    EXPECT_EQ(events->Advise(&sink, &third), S_OK);
    EXPECT_EQ(third, cookies[0]);
    EXPECT_EQ(events->Unadvise(1234), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(events->Unadvise(third), S_OK);
    EXPECT_EQ(events->Unadvise(cookies[1]), S_OK);
    EXPECT_EQ(sink.refs, 0);
    EXPECT_EQ(deaf.refs, 0);
    log.Clear();
    events->Release();
}
