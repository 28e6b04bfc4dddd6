// The control's own behaviour: its interfaces, properties, grab, events,
// drawing and persistence, as a container and a client see them.
#include <windows.h>
#include <objsafe.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "fake_container.h"
#include "gleaner_server_fixture.h"
#include "testing/debug_output.h"
#include "testing/memory_canvas.h"

using namespace gleaner_test;
using suite::testing::ClipboardScope;
using suite::testing::MemoryCanvas;

namespace {

const wchar_t kInitialText[] = L"Quibb's Clipboard Template Control !";

// A control released at the end of each test, which must be its last reference.
class GleanerControlTest : public GleanerTest {
protected:
    void SetUp() override {
        GleanerTest::SetUp();
        control = CreateGleaner();
        ASSERT_NE(control, nullptr);
    }
    void TearDown() override {
        if (control) {
            EXPECT_EQ(control->Release(), 0u);
        }
        GleanerTest::TearDown();
    }
    template <class I>
    I* As(REFIID iid) {
        return Query<I>(control, iid);
    }
    std::wstring Text() {
        BSTR text = nullptr;
        EXPECT_EQ(control->get_Text(&text), S_OK);
        std::wstring out = text ? text : L"<null>";
        SysFreeString(text);
        return out;
    }
    IGleaner* control = nullptr;
    CallLog log;
};

}  // namespace

TEST_F(GleanerControlTest, AnswersExactlyItsInterfaceMapWithOneIdentity) {
    const IID* offered[] = {
        &IID_IGleaner, &IID_IDispatch, &IID_IViewObjectEx, &IID_IViewObject2, &IID_IViewObject,
        &IID_IOleInPlaceObjectWindowless, &IID_IOleInPlaceObject, &IID_IOleWindow,
        &IID_IOleInPlaceActiveObject, &IID_IOleControl, &IID_IOleObject, &IID_IQuickActivate,
        &IID_IPersistStorage, &IID_IPersistStreamInit, &IID_ISpecifyPropertyPages,
        &IID_IPersistPropertyBag, &IID_IPerPropertyBrowsing, &IID_IDataObject,
        &IID_IProvideClassInfo, &IID_IProvideClassInfo2, &IID_ISupportErrorInfo,
        &IID_IConnectionPointContainer, &IID_IObjectSafety};
    IUnknown* identity = As<IUnknown>(IID_IUnknown);
    for (const IID* iid : offered) {
        IUnknown* p = As<IUnknown>(*iid);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(RefCount(control), 3u);
        IUnknown* back = Query<IUnknown>(p, IID_IUnknown);
        EXPECT_EQ(back, identity);
        back->Release();
        p->Release();
    }
    identity->Release();
    for (const IID* iid : {&IID_IPersistStream, &IID_IPersist, &IID_IOleCache, &IID_IMarshal}) {
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(control->QueryInterface(*iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(RefCount(control), 1u);
}

TEST_F(GleanerControlTest, GrabReplacesThePictureAndKeepsItWhenNoBitmapIsOffered) {
    IPictureDisp* before = nullptr;
    control->get_Picture(&before);
    {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(5, 20, RGB(0, 255, 0))));
        EXPECT_EQ(control->GrabFromClipboard(), S_OK);
    }
    IPictureDisp* after = nullptr;
    control->get_Picture(&after);
    EXPECT_NE(after, before);
    IPicture* picture = Query<IPicture>(after, IID_IPicture);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    EXPECT_LT(w, h);
    picture->Release();
    // The control let go of the old picture: only this test holds it now.
    EXPECT_EQ(before->Release(), 0u);

    {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutUnicodeText(L"no picture here"));
        suite::testing::DebugOutputCapture trace;
        EXPECT_EQ(control->GrabFromClipboard(), E_FAIL);
        auto lines = trace.Take();
        EXPECT_NE(std::find(lines.begin(), lines.end(), "Couldn't get format"), lines.end());
        // The interface supports error information, so the failure describes itself.
        IErrorInfo* info = nullptr;
        ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
        ASSERT_NE(info, nullptr);
        GUID source = GUID_NULL;
        BSTR description = nullptr;
        info->GetGUID(&source);
        info->GetDescription(&description);
        EXPECT_TRUE(IsEqualGUID(source, IID_IGleaner));
        EXPECT_STREQ(description, L"The clipboard holds no bitmap.");
        SysFreeString(description);
        info->Release();
    }
    IPictureDisp* kept = nullptr;
    control->get_Picture(&kept);
    EXPECT_EQ(kept, after);
    kept->Release();
    EXPECT_EQ(after->Release(), 1u);  // still held by the control
}

// The control owns each grabbed bitmap exactly as long as the picture made
// over it: replaced or destroyed, the bitmap goes too.
TEST_F(GleanerControlTest, GrabbedBitmapLivesAsLongAsItsPicture) {
    auto HeldBitmap = [](IGleaner* from) {
        IPictureDisp* disp = nullptr;
        from->get_Picture(&disp);
        IPicture* picture = Query<IPicture>(disp, IID_IPicture);
        OLE_HANDLE handle = 0;
        picture->get_Handle(&handle);
        picture->Release();
        disp->Release();
        return reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle));
    };
    HGDIOBJ first = HeldBitmap(control);
    ASSERT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP));
    ClipboardScope clipboard;
    ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(4, 4, RGB(1, 2, 3))));
    ASSERT_EQ(control->GrabFromClipboard(), S_OK);
    EXPECT_EQ(GetObjectType(first), 0u);

    HGDIOBJ second = HeldBitmap(control);
    ASSERT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(control->Release(), 0u);
    control = nullptr;
    EXPECT_EQ(GetObjectType(second), 0u);
}

TEST_F(GleanerControlTest, TextWriteAsksSinksAndARefusalChangesNothing) {
    IConnectionPointContainer* container = As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    IConnectionPoint* point = nullptr;
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &point), S_OK);
    FakePropertySink sink(log);
    FakeAdviseSink view(log);
    IViewObject* viewObject = As<IViewObject>(IID_IViewObject);
    ASSERT_EQ(viewObject->SetAdvise(DVASPECT_CONTENT, 0, &view), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    EXPECT_EQ(sink.Count(), 2u);
    IPersistStreamInit* persist = As<IPersistStreamInit>(IID_IPersistStreamInit);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    sink.refuse = true;
    BSTR value = SysAllocString(L"refused");
    EXPECT_EQ(control->put_Text(value), S_FALSE);
    EXPECT_CALLS(log, {"OnRequestEdit(-517)"});
    EXPECT_EQ(Text(), kInitialText);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    sink.refuse = false;
    SysFreeString(value);
    value = SysAllocString(L"accepted");
    EXPECT_EQ(control->put_Text(value), S_OK);
    SysFreeString(value);
    EXPECT_CALLS(log, {"OnRequestEdit(-517)", "OnChanged(-517)", "OnViewChange(1,-1)"});
    EXPECT_EQ(Text(), L"accepted");
    EXPECT_EQ(persist->IsDirty(), S_OK);

    // A grab touches neither the text nor the sinks, only the view.
    {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(2, 2, RGB(9, 9, 9))));
        EXPECT_EQ(control->GrabFromClipboard(), S_OK);
    }
    EXPECT_CALLS(log, {"OnViewChange(1,-1)"});

    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(sink.Count(), 1u);
    viewObject->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    EXPECT_EQ(view.Count(), 1u);
    viewObject->Release();
    persist->Release();
    point->Release();
    container->Release();
}

TEST_F(GleanerControlTest, EventPointTakesFiveSinksAndTellsThemOfEachGrab) {
    IConnectionPointContainer* container = As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    IConnectionPoint* point = nullptr;
    ASSERT_EQ(container->FindConnectionPoint(DIID_DIGleanerEvents, &point), S_OK);
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
    EXPECT_TRUE(IsEqualIID(iid, DIID_DIGleanerEvents));
    listed[0]->Release();
    listed[1]->Release();
    points->Release();

    FakeEventSink sink(log);
    DWORD cookies[5] = {};
    for (DWORD& c : cookies) ASSERT_EQ(point->Advise(&sink, &c), S_OK);
    DWORD sixth = 99;
    EXPECT_EQ(point->Advise(&sink, &sixth), CONNECT_E_ADVISELIMIT);
    EXPECT_EQ(sixth, 0u);
    EXPECT_EQ(sink.Count(), 6u);

    {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(2, 2, RGB(9, 9, 9))));
        EXPECT_EQ(control->GrabFromClipboard(), S_OK);
    }
    EXPECT_CALLS(log, {"Invoke(1,1,0)", "Invoke(1,1,0)", "Invoke(1,1,0)", "Invoke(1,1,0)",
                       "Invoke(1,1,0)"});

    // While the container has frozen events, none is raised.
    IOleControl* oleControl = As<IOleControl>(IID_IOleControl);
    oleControl->FreezeEvents(TRUE);
    {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(2, 2, RGB(9, 9, 9))));
        EXPECT_EQ(control->GrabFromClipboard(), S_OK);
    }
    EXPECT_CALLS(log, {});
    oleControl->FreezeEvents(FALSE);
    oleControl->Release();

    EXPECT_EQ(point->Unadvise(cookies[2]), S_OK);
    EXPECT_EQ(point->Advise(&sink, &sixth), S_OK);  // a freed slot is usable again
    EXPECT_EQ(sixth, cookies[2]);
    EXPECT_EQ(point->Unadvise(1234), CONNECT_E_NOCONNECTION);
    for (DWORD c : cookies) EXPECT_EQ(point->Unadvise(c), S_OK);
    EXPECT_EQ(sink.Count(), 1u);
    point->Release();
    container->Release();
}

TEST_F(GleanerControlTest, StreamHoldsVersionExtentAndTextByteForByte) {
    IPersistStreamInit* persist = As<IPersistStreamInit>(IID_IPersistStreamInit);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ASSERT_EQ(persist->Save(stream, TRUE), S_OK);
    ULARGE_INTEGER size = {};
    EXPECT_EQ(persist->GetSizeMax(&size), E_NOTIMPL);

    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    const size_t textBytes = (wcslen(kInitialText) + 1) * 2;
    ASSERT_EQ(stat.cbSize.QuadPart, 4 + 8 + 2 + 4 + textBytes);
    auto* bytes = static_cast<const unsigned char*>(GlobalLock(memory));
    const unsigned char header[] = {0x00, 0x02, 0x00, 0x00,   // version 0x200
                                    0xD8, 0x13, 0x00, 0x00,   // width 5080
                                    0xD8, 0x13, 0x00, 0x00,   // height 5080
                                    0x08, 0x00,               // a wide string
                                    static_cast<unsigned char>(textBytes), 0x00, 0x00, 0x00};
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + sizeof header),
              std::vector<unsigned char>(header, header + sizeof header));
    EXPECT_EQ(std::memcmp(bytes + sizeof header, kInitialText, textBytes), 0);
    GlobalUnlock(memory);

    // A fresh control loads it back, extent included.
    BSTR other = SysAllocString(L"other");
    control->put_Text(other);
    SysFreeString(other);
    SIZEL extent = {1000, 2000};
    IOleObject* object = As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
    LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(persist->Load(stream), S_OK);
    EXPECT_EQ(Text(), kInitialText);
    ASSERT_EQ(object->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(extent.cx, 5080);
    EXPECT_EQ(extent.cy, 5080);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    // A truncated stream fails the load rather than inventing a value.
    stream->SetSize(ULARGE_INTEGER{{20, 0}});
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    EXPECT_TRUE(FAILED(persist->Load(stream)));
    EXPECT_EQ(Text(), kInitialText);

    // A null text reads back null, not as an empty string.
    ASSERT_EQ(control->put_Text(nullptr), S_OK);
    EXPECT_EQ(Text(), L"<null>");

    object->Release();
    stream->Release();
    persist->Release();
}

TEST_F(GleanerControlTest, StorageKeepsTheStreamAsContentsAndBagKeepsText) {
    ILockBytes* bytes = nullptr;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes), S_OK);
    IStorage* storage = nullptr;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                           0, &storage),
              S_OK);
    IPersistStorage* persist = As<IPersistStorage>(IID_IPersistStorage);
    BSTR saved = SysAllocString(L"in storage");
    control->put_Text(saved);
    SysFreeString(saved);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ASSERT_EQ(persist->Save(storage, TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    IStream* contents = nullptr;
    ASSERT_EQ(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                  &contents),
              S_OK);
    contents->Release();

    IGleaner* fresh = CreateGleaner();
    ASSERT_NE(fresh, nullptr);
    IPersistStorage* freshPersist = Query<IPersistStorage>(fresh, IID_IPersistStorage);
    ASSERT_EQ(freshPersist->Load(storage), S_OK);
    BSTR text = nullptr;
    fresh->get_Text(&text);
    EXPECT_STREQ(text, L"in storage");
    SysFreeString(text);
    freshPersist->Release();
    EXPECT_EQ(fresh->Release(), 0u);
    persist->Release();
    storage->Release();
    bytes->Release();
}

TEST_F(GleanerControlTest, DrawsThePictureStretchedOverTheWholeBounds) {
    {
        ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(30, 10, RGB(255, 0, 0))));
        ASSERT_EQ(control->GrabFromClipboard(), S_OK);
    }
    IViewObject* view = As<IViewObject>(IID_IViewObject);
    MemoryCanvas canvas(100, 100);
    RECTL bounds = {10, 20, 50, 90};  // taller than wide: the picture is stretched
    suite::testing::DebugOutputCapture trace;
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc, &bounds,
                         nullptr, nullptr, 0),
              S_OK);
    auto lines = trace.Take();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "TGleanerImpl::OnDraw"), lines.end());
    EXPECT_EQ(canvas.Read().Count(0xFF0000u, RECT{10, 20, 50, 90}), 40 * 70);
    EXPECT_EQ(canvas.Read().Count(0xFF0000u, RECT{0, 0, 100, 100}), 40 * 70);

    MemoryCanvas other(20, 20);
    RECTL all = {0, 0, 20, 20};
    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, other.dc, &all, nullptr,
                         nullptr, 0),
              E_FAIL);
    EXPECT_EQ(other.Read().Count(0xFFFFFFu, RECT{0, 0, 20, 20}), 400);

    // Without a picture the control draws nothing, and that is no failure.
    ASSERT_EQ(control->put_Picture(nullptr), S_OK);
    IPictureDisp* picture = reinterpret_cast<IPictureDisp*>(1);
    EXPECT_EQ(control->get_Picture(&picture), S_OK);
    EXPECT_EQ(picture, nullptr);
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, other.dc, &all, nullptr,
                         nullptr, 0),
              S_OK);
    EXPECT_EQ(other.Read().Count(0xFFFFFFu, RECT{0, 0, 20, 20}), 400);
    view->Release();
}

TEST_F(GleanerControlTest, PictureWriteKeepsACopyOfTheArgument) {
    IGleaner* source = CreateGleaner(RGB(0, 0, 255), 8, 8);
    IPictureDisp* picture = nullptr;
    source->get_Picture(&picture);
    ASSERT_EQ(control->put_Picture(picture), S_OK);
    IPictureDisp* held = nullptr;
    control->get_Picture(&held);
    ASSERT_NE(held, nullptr);
    EXPECT_NE(held, picture);
    IPicture* copy = Query<IPicture>(held, IID_IPicture);
    SHORT type = 0;
    OLE_XSIZE_HIMETRIC w = 0, sourceW = 0;
    copy->get_Type(&type);
    copy->get_Width(&w);
    copy->Release();
    IPicture* original = Query<IPicture>(picture, IID_IPicture);
    original->get_Width(&sourceW);
    original->Release();
    EXPECT_EQ(type, PICTYPE_BITMAP);
    EXPECT_EQ(w, sourceW);
    EXPECT_EQ(held->Release(), 1u);

    picture->Release();
    EXPECT_EQ(source->Release(), 0u);
}

TEST_F(GleanerControlTest, SafetyErrorInfoPagesBrowsingAndClassInfo) {
    IObjectSafety* safety = As<IObjectSafety>(IID_IObjectSafety);
    DWORD supported = 9, enabled = 9;
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled), S_OK);
    EXPECT_EQ(supported, 1u);
    EXPECT_EQ(enabled, 0u);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IDispatch, 3, 3), S_OK);
    safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled);
    EXPECT_EQ(enabled, 1u);
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IGleaner, &supported, &enabled), E_NOINTERFACE);
    EXPECT_EQ(supported, 0u);
    EXPECT_EQ(enabled, 0u);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IUnknown, 1, 1), E_NOINTERFACE);
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IDispatch, nullptr, &enabled), E_POINTER);
    safety->Release();

    ISupportErrorInfo* errors = As<ISupportErrorInfo>(IID_ISupportErrorInfo);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IGleaner), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
    errors->Release();

    ISpecifyPropertyPages* pages = As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
    CAUUID list = {};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 1u);
    const CLSID stockPicturePage = {0x7ebdaae2, 0x8120, 0x11cf,
                                    {0x89, 0x9f, 0x00, 0xaa, 0x00, 0x68, 0x8b, 0x10}};
    EXPECT_TRUE(IsEqualCLSID(list.pElems[0], stockPicturePage));
    CoTaskMemFree(list.pElems);
    pages->Release();

    IPerPropertyBrowsing* browsing = As<IPerPropertyBrowsing>(IID_IPerPropertyBrowsing);
    CLSID page = stockPicturePage;
    EXPECT_EQ(browsing->MapPropertyToPage(DISPID_TEXT, &page), S_OK);
    EXPECT_TRUE(IsEqualCLSID(page, CLSID_NULL));
    page = stockPicturePage;
    EXPECT_EQ(browsing->MapPropertyToPage(DISPID_PICTURE, &page), E_INVALIDARG);
    EXPECT_TRUE(IsEqualCLSID(page, CLSID_NULL));
    BSTR shown = nullptr;
    ASSERT_EQ(browsing->GetDisplayString(DISPID_TEXT, &shown), S_OK);
    EXPECT_STREQ(shown, kInitialText);
    SysFreeString(shown);
    browsing->Release();

    IProvideClassInfo2* info = As<IProvideClassInfo2>(IID_IProvideClassInfo2);
    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(info->GetClassInfo(&coclass), S_OK);
    TYPEATTR* attr = nullptr;
    coclass->GetTypeAttr(&attr);
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_TRUE(IsEqualCLSID(attr->guid, CLSID_Gleaner));
    coclass->ReleaseTypeAttr(attr);
    coclass->Release();
    GUID source;
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), E_FAIL);
    info->Release();
}
