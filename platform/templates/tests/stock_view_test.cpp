// What a container asks of the stock view, data object and object besides
// activation: drawing, extents, hit tests, the metafile rendering, advise
// sinks, and closing with unsaved changes.
#include "stock_control.h"
#include "testing/fake_sinks.h"
#include "testing/memory_canvas.h"

using suite::testing::FakeAdviseSink;
using suite::testing::FakeSite;

TEST_F(StockTest, ViewDrawsIntoTheBoundsAndAnswersForItsExtentAndHits) {
    IViewObjectEx* view = Get<IViewObjectEx>(IID_IViewObjectEx);
    suite::testing::MemoryCanvas canvas(100, 100);
    RECTL bounds = {10, 20, 50, 90};
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc, &bounds, nullptr,
                         nullptr, 0),
              S_OK);
    EXPECT_EQ(canvas.Read().Count(TStockControl::kFill, RECT{0, 0, 100, 100}), 40 * 70);
    EXPECT_EQ(canvas.Read().Count(TStockControl::kFill, RECT{10, 20, 50, 90}), 40 * 70);

    SIZEL size = {};
    EXPECT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &size), S_OK);
    EXPECT_EQ(size.cx, 5080);
    EXPECT_EQ(view->GetExtent(DVASPECT_ICON, -1, nullptr, &size), E_FAIL);
    DVEXTENTINFO extent = {sizeof extent, DVEXTENT_CONTENT, {}};
    EXPECT_EQ(view->GetNaturalExtent(DVASPECT_CONTENT, -1, nullptr, nullptr, &extent, &size), S_OK);
    EXPECT_EQ(size.cy, 5080);
    DWORD status = 9;
    EXPECT_EQ(view->GetViewStatus(&status), S_OK);
    EXPECT_EQ(status, 0u);
    RECT area = {0, 0, 10, 10};
    DWORD hit = 0;
    EXPECT_EQ(view->QueryHitPoint(DVASPECT_CONTENT, &area, POINT{5, 5}, 0, &hit), S_OK);
    EXPECT_EQ(hit, static_cast<DWORD>(HITRESULT_HIT));
    EXPECT_EQ(view->QueryHitPoint(DVASPECT_CONTENT, &area, POINT{15, 5}, 0, &hit), S_OK);
    EXPECT_EQ(hit, static_cast<DWORD>(HITRESULT_OUTSIDE));
    RECT touching = {9, 9, 20, 20};
    EXPECT_EQ(view->QueryHitRect(DVASPECT_CONTENT, &area, &touching, 0, &hit), S_OK);
    EXPECT_EQ(hit, static_cast<DWORD>(HITRESULT_HIT));

    FakeAdviseSink sink(log);
    ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, ADVF_ONLYONCE, &sink), S_OK);
    DWORD aspects = 0, flags = 0;
    IAdviseSink* held = nullptr;
    ASSERT_EQ(view->GetAdvise(&aspects, &flags, &held), S_OK);
    EXPECT_EQ(aspects, static_cast<DWORD>(DVASPECT_CONTENT));
    EXPECT_EQ(flags, static_cast<DWORD>(ADVF_ONLYONCE));
    EXPECT_EQ(held, &sink);
    held->Release();
    view->Release();
    EndControl();
    EXPECT_EQ(sink.refs, 0);  // the view's sink goes with the control
}

TEST_F(StockTest, DataObjectRendersTheViewAsAMetafileAtTheExtent) {
    IDataObject* data = Get<IDataObject>(IID_IDataObject);
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
    data->Release();
}

TEST_F(StockTest, ObjectKeepsItsExtentAndAdviseSinksAndClosesAsAsked) {
    SIZEL size = {};
    SIZEL wanted = {100, 200};
    EXPECT_EQ(object->SetExtent(DVASPECT_ICON, &wanted), DV_E_DVASPECT);
    EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, &wanted), S_OK);
    object->GetExtent(DVASPECT_CONTENT, &size);
    EXPECT_EQ(size.cx, 100);
    EXPECT_EQ(size.cy, 200);
    CLSID clsid = {};
    EXPECT_EQ(object->GetUserClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_StockControl));

    // An enumeration enumerates, even before any sink is advised.
    IEnumSTATDATA* sinks = nullptr;
    ASSERT_EQ(object->EnumAdvise(&sinks), S_OK);
    ASSERT_NE(sinks, nullptr);
    STATDATA item = {};
    EXPECT_EQ(sinks->Next(1, &item, nullptr), S_FALSE);
    sinks->Release();

    FakeAdviseSink sink(log);
    DWORD cookie = 0;
    ASSERT_EQ(object->Advise(&sink, &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_CALLS(log, {"OnClose"});

    // Closing with unsaved changes (the extent) asks the site to save.
    FakeSite site(log, suite::testing::InPlaceSiteKind::None);
    object->SetClientSite(&site);
    EXPECT_EQ(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_CALLS(log, {"QueryInterface(IDispatch)", "SaveObject", "OnSave", "OnClose"});
    EXPECT_EQ(object->Unadvise(cookie), S_OK);
    EXPECT_EQ(object->Unadvise(cookie), OLE_E_NOCONNECTION);
    EXPECT_EQ(sink.refs, 0);
    object->SetClientSite(nullptr);
    EXPECT_EQ(site.refs, 0);
}
