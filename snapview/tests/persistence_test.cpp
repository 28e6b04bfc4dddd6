// Saving and loading through IPersistStreamInit, and the one connection
// point with its one sink.
#include "control_fixture.h"

using namespace snapview_test;

namespace {

class PersistenceTest : public ControlFixture {
protected:
    // Formats the cache holds, as the data object lists them.
    bool Holds(CLIPFORMAT format) {
        IDataObject* data = Get<IDataObject>(IID_IDataObject);
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1,
                         format == CF_METAFILEPICT ? DWORD(TYMED_MFPICT) : DWORD(TYMED_HGLOBAL)};
        HRESULT hr = data->QueryGetData(&wanted);
        data->Release();
        return hr == S_OK;
    }
    // The one connection point, found through the container, which is let
    // go again: the point holds the control by itself.
    IConnectionPoint* AdviseSinkPoint() {
        IConnectionPointContainer* container =
            Get<IConnectionPointContainer>(IID_IConnectionPointContainer);
        IConnectionPoint* point = nullptr;
        EXPECT_EQ(container->FindConnectionPoint(DIID_DISnapviewAdviseSink, &point), S_OK);
        container->Release();
        return point;
    }
};

ULONGLONG StreamSize(IStream* stream) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    return stat.cbSize.QuadPart;
}

}  // namespace

TEST_F(PersistenceTest, SaveWritesNothingAndLoadGrabsTheClipboardAgain) {
    IPersistStreamInit* persist = Get<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_TRUE(persist);
    CLSID clsid{};
    EXPECT_EQ(persist->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_Snapview);
    EXPECT_EQ(persist->InitNew(), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    ISnapview* snapview = Get<ISnapview>(IID_ISnapview);
    BSTR title = SysAllocString(L"changed");
    snapview->put_Title(title);  // the title is not persisted: nothing to save
    SysFreeString(title);
    snapview->Release();
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    ULARGE_INTEGER size;
    size.QuadPart = 99;
    EXPECT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 0u);

    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    EXPECT_EQ(persist->Save(stream, TRUE), S_OK);
    EXPECT_EQ(StreamSize(stream), 0u);

    ASSERT_TRUE(clipboard.PutMetafilePicture(1000, 1000, RGB(255, 0, 0)));
    EXPECT_FALSE(Holds(CF_METAFILEPICT));
    DebugOutputCapture trace;
    EXPECT_EQ(persist->Load(stream), S_OK);
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"IPERSTMI: TImpIPersistStreamInit::Load",
                     "SNAPVIEW: TSnapview::GrabFromClipboard", "SNAPVIEW: TSnapview::AddRef 3",
                     "SNAPVIEW: TSnapview::Release 2"}));
    EXPECT_TRUE(Holds(CF_METAFILEPICT));
    EXPECT_EQ(persist->IsDirty(), S_FALSE);  // a grab changes nothing worth saving

    // An empty clipboard at load time keeps what the control had.
    ASSERT_TRUE(ClipboardScope::Empty());
    EXPECT_EQ(persist->Load(stream), S_OK);
    EXPECT_TRUE(Holds(CF_METAFILEPICT));
    EXPECT_TRUE(Holds(CF_DIB));
    stream->Release();
    persist->Release();
}

TEST_F(PersistenceTest, OneConnectionPointServesBothDispinterfaces) {
    IConnectionPointContainer* container =
        Get<IConnectionPointContainer>(IID_IConnectionPointContainer);
    ASSERT_TRUE(container);
    IConnectionPoint* point = reinterpret_cast<IConnectionPoint*>(1);
    EXPECT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &point), E_NOINTERFACE);
    EXPECT_EQ(point, nullptr);
    IEnumConnectionPoints* points = reinterpret_cast<IEnumConnectionPoints*>(1);
    EXPECT_EQ(container->EnumConnectionPoints(&points), E_NOTIMPL);
    EXPECT_EQ(points, nullptr);

    DebugOutputCapture trace;
    ASSERT_EQ(container->FindConnectionPoint(DIID_DISnapviewAdviseSink, &point), S_OK);
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"ICONNPT: TImpIConnPtCont::FindConnectionPoint",
                     "ICONNPT: TImpIConnectionPoint::QueryInterface",
                     "ICONNPT: TImpIConnectionPoint::AddRef", "SNAPVIEW: TSnapview::AddRef 3"}));
    IID iid{};
    EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, DIID_DISnapviewAdviseSink);

    IConnectionPoint* same = nullptr;
    ASSERT_EQ(container->FindConnectionPoint(DIID_DISnapview, &same), S_OK);
    EXPECT_EQ(same, point);
    EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, DIID_DISnapview);
    same->Release();
    // Advise asks the sink for the identifier asked for last.
    CallLog log;
    suite::testing::FakeEventSink adviseSinkOnly(log, DIID_DISnapviewAdviseSink);
    suite::testing::FakeEventSink dispatchSink(log, DIID_DISnapview);
    DWORD cookie = 0;
    EXPECT_EQ(point->Advise(&adviseSinkOnly, &cookie), CONNECT_E_CANNOTCONNECT);
    log.Clear();
    ASSERT_EQ(point->Advise(&dispatchSink, &cookie), S_OK);
    EXPECT_CALLS(log, {"QueryInterface(events)"});
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(dispatchSink.refs, 0);
    EXPECT_EQ(adviseSinkOnly.refs, 0);

    IConnectionPointContainer* back = nullptr;
    ASSERT_EQ(point->GetConnectionPointContainer(&back), S_OK);
    EXPECT_EQ(back, container);
    back->Release();
    IEnumConnections* connections = reinterpret_cast<IEnumConnections*>(1);
    EXPECT_EQ(point->EnumConnections(&connections), E_NOTIMPL);
    EXPECT_EQ(connections, nullptr);
    point->Release();
    container->Release();
}

TEST_F(PersistenceTest, OneSinkAtATimeWithTheFixedCookie) {
    IConnectionPoint* point = AdviseSinkPoint();
    ASSERT_NE(point, nullptr);

    CallLog log;
    suite::testing::FakeEventSink deaf(log, GUID_NULL);
    DWORD cookie = 1;
    EXPECT_EQ(point->Advise(&deaf, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(deaf.refs, 0);
    log.Clear();

    suite::testing::FakeEventSink first(log, DIID_DISnapviewAdviseSink);
    suite::testing::FakeEventSink second(log, DIID_DISnapviewAdviseSink);
    ASSERT_EQ(point->Advise(&first, &cookie), S_OK);
    EXPECT_EQ(cookie, 72388u);
    EXPECT_EQ(first.refs, 1);
    EXPECT_EQ(point->Advise(&second, &cookie), CONNECT_E_ADVISELIMIT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(second.refs, 0);
    EXPECT_EQ(point->Unadvise(0), E_INVALIDARG);
    EXPECT_EQ(first.refs, 1);
    EXPECT_EQ(point->Unadvise(5), S_OK);  // any other cookie disconnects
    EXPECT_EQ(first.refs, 0);

    ASSERT_EQ(point->Advise(&second, &cookie), S_OK);
    EXPECT_EQ(cookie, 72388u);
    EXPECT_EQ(point->Unadvise(72388), S_OK);  // the cookie Advise gave
    EXPECT_EQ(second.refs, 0);
    ASSERT_EQ(point->Advise(&second, &cookie), S_OK);
    EXPECT_CALLS(log, {"QueryInterface(events)", "QueryInterface(events)", "QueryInterface(events)"});
    // No event is ever raised, not even for a grab.
    ISnapview* snapview = Get<ISnapview>(IID_ISnapview);
    EXPECT_EQ(snapview->GrabFromClipboard(), S_OK);
    snapview->Release();
    EXPECT_CALLS(log, {});

    // Letting go of the point keeps the connection; the control's end
    // releases the sink.
    point->Release();
    EXPECT_EQ(second.refs, 1);
    EXPECT_EQ(control->Release(), 0u);
    control = nullptr;
    EXPECT_EQ(second.refs, 0);
}

TEST_F(PersistenceTest, AHeldConnectionPointKeepsTheControlAlive) {
    IConnectionPoint* point = AdviseSinkPoint();
    ASSERT_NE(point, nullptr);
    CallLog log;
    suite::testing::FakeEventSink sink(log, DIID_DISnapviewAdviseSink);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

    EXPECT_EQ(control->Release(), 1u);
    control = nullptr;
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
    IConnectionPointContainer* back = nullptr;
    ASSERT_EQ(point->GetConnectionPointContainer(&back), S_OK);
    back->Release();

    DebugOutputCapture trace;
    EXPECT_EQ(point->Release(), 0u);
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"ICONNPT: TImpIConnectionPoint::Release", "SNAPVIEW: TSnapview::Release 0",
                     "DLLENTRY: ObjectDestroyed"}));
    EXPECT_EQ(sink.refs, 0);
}
