// The control's own behaviour, over the template library's stock parts:
// its interface map, the grab and its notices, its events, what it
// persists, its drawing and what describes it.
#include <windows.h>
#include <objsafe.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "gleaner_server_fixture.h"
#include "testing/fake_sinks.h"
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
        return suite::testing::TakeString(text);
    }
    IGleaner* control = nullptr;
    suite::testing::CallLog log;
};

// Puts a bitmap on the clipboard and grabs it.
void Grab(IGleaner* control, COLORREF colour = RGB(9, 9, 9), int width = 2, int height = 2) {
    ClipboardScope clipboard;
    ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(width, height, colour)));
    EXPECT_EQ(control->GrabFromClipboard(), S_OK);
}

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

// A grab repaints the view and raises OnGrabFromClipboard on each of up to
// five event sinks, unless the container froze the events; it changes no
// property, so the property sinks hear nothing.
TEST_F(GleanerControlTest, AGrabTellsTheViewAndTheEventSinksButNoPropertySink) {
    IConnectionPointContainer* container = As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    IConnectionPoint* events = nullptr;
    IConnectionPoint* properties = nullptr;
    ASSERT_EQ(container->FindConnectionPoint(DIID_DIGleanerEvents, &events), S_OK);
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &properties), S_OK);
    container->Release();
    suite::testing::FakeEventSink sink(log, DIID_DIGleanerEvents);
    suite::testing::FakePropertySink propertySink(log);
    suite::testing::FakeAdviseSink view(log);
    IViewObject* viewObject = As<IViewObject>(IID_IViewObject);
    ASSERT_EQ(viewObject->SetAdvise(DVASPECT_CONTENT, 0, &view), S_OK);
    DWORD cookies[5] = {};
    for (DWORD& c : cookies) ASSERT_EQ(events->Advise(&sink, &c), S_OK);
    DWORD sixth = 99;
    EXPECT_EQ(events->Advise(&sink, &sixth), CONNECT_E_ADVISELIMIT);
    DWORD propertyCookie = 0;
    ASSERT_EQ(properties->Advise(&propertySink, &propertyCookie), S_OK);
    log.Clear();

    Grab(control);
    EXPECT_CALLS(log, {"OnViewChange(1,-1)", "Invoke(1,1,0)", "Invoke(1,1,0)", "Invoke(1,1,0)",
                       "Invoke(1,1,0)", "Invoke(1,1,0)"});
    EXPECT_EQ(Text(), kInitialText);

    IOleControl* oleControl = As<IOleControl>(IID_IOleControl);
    oleControl->FreezeEvents(TRUE);
    Grab(control);
    EXPECT_CALLS(log, {"OnViewChange(1,-1)"});
    oleControl->FreezeEvents(FALSE);
    oleControl->Release();

    for (DWORD c : cookies) EXPECT_EQ(events->Unadvise(c), S_OK);
    EXPECT_EQ(properties->Unadvise(propertyCookie), S_OK);
    viewObject->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    EXPECT_EQ(sink.refs, 0);
    EXPECT_EQ(propertySink.refs, 0);
    EXPECT_EQ(view.refs, 0);
    viewObject->Release();
    properties->Release();
    events->Release();
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

    // A fresh control loads it back.
    IGleaner* fresh = CreateGleaner();
    ASSERT_NE(fresh, nullptr);
    BSTR other = SysAllocString(L"other");
    fresh->put_Text(other);
    SysFreeString(other);
    auto* freshPersist = Query<IPersistStreamInit>(fresh, IID_IPersistStreamInit);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(freshPersist->Load(stream), S_OK);
    BSTR text = nullptr;
    fresh->get_Text(&text);
    EXPECT_STREQ(text, kInitialText);
    SysFreeString(text);
    freshPersist->Release();
    EXPECT_EQ(fresh->Release(), 0u);
    stream->Release();
    persist->Release();
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

    // Bounds without width: the picture cannot render there, and says so.
    RECTL line = {5, 5, 5, 15};
    EXPECT_TRUE(FAILED(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, other.dc, &line,
                                  nullptr, nullptr, 0)));
    lines = trace.Take();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Failure calling Picture->Render"), lines.end());

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

TEST_F(GleanerControlTest, ErrorInformationPagesAndClassInformationAreItsOwn) {
    ISupportErrorInfo* errors = As<ISupportErrorInfo>(IID_ISupportErrorInfo);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IGleaner), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
    errors->Release();

    // The one page, from the map: the stock picture page.
    ISpecifyPropertyPages* pages = As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
    CAUUID list = {};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 1u);
    const CLSID stockPicturePage = {0x7ebdaae2, 0x8120, 0x11cf,
                                    {0x89, 0x9f, 0x00, 0xaa, 0x00, 0x68, 0x8b, 0x10}};
    EXPECT_TRUE(IsEqualCLSID(list.pElems[0], stockPicturePage));
    CoTaskMemFree(list.pElems);
    pages->Release();

    // The class has no default source interface of its own to report.
    IProvideClassInfo2* info = As<IProvideClassInfo2>(IID_IProvideClassInfo2);
    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(info->GetClassInfo(&coclass), S_OK);
    TYPEATTR* attr = nullptr;
    coclass->GetTypeAttr(&attr);
    EXPECT_TRUE(IsEqualCLSID(attr->guid, CLSID_Gleaner));
    coclass->ReleaseTypeAttr(attr);
    coclass->Release();
    GUID source;
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), E_FAIL);
    info->Release();
}
