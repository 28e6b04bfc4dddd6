// The control's own behaviour over the adapter: what it answers, its
// properties as the progress bar's, the put protocol, framework exceptions
// as error information, its connection points and what it persists.
#include <windows.h>
#include <objsafe.h>
#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "meterix_fixture.h"
#include "testing/fake_sinks.h"

using namespace meterix_test;
using suite::testing::FakePropertySink;

namespace {

long Read(HRESULT (STDMETHODCALLTYPE IProgressBarX::*get)(long*), IProgressBarX* control) {
    long value = -12345;
    EXPECT_EQ((control->*get)(&value), S_OK);
    return value;
}

// A sink connected to the control's property-change point while it lives.
class ConnectedSink {
public:
    ConnectedSink(IUnknown* control, suite::testing::CallLog& log) : sink(log) {
        auto* container = Query<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
        container->FindConnectionPoint(IID_IPropertyNotifySink, &point);
        container->Release();
        EXPECT_EQ(point->Advise(&sink, &cookie), S_OK);
    }
    ~ConnectedSink() {
        EXPECT_EQ(point->Unadvise(cookie), S_OK);
        point->Release();
        EXPECT_EQ(sink.refs, 0);
    }
    FakePropertySink sink;

private:
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
};

IStream* NewStream() {
    IStream* stream = nullptr;
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    return stream;
}

void Rewind(IStream* stream) {
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
}

}  // namespace

TEST_F(MeterixControlTest, AnswersExactlyItsInterfaceMapWithOneIdentityAndErrorInfoForEach) {
    const IID* offered[] = {
        &IID_IViewObjectEx, &IID_IViewObject2, &IID_IViewObject, &IID_IOleInPlaceObject, &IID_IOleWindow,
        &IID_IOleInPlaceActiveObject, &IID_IOleControl, &IID_IOleObject, &IID_IQuickActivate,
        &IID_IPersistStorage, &IID_IPersistStreamInit, &IID_ISpecifyPropertyPages, &IID_IDataObject,
        &IID_ISimpleFrameSite, &IID_IProvideClassInfo, &IID_IProvideClassInfo2, &IID_IConnectionPointContainer,
        &IID_ISupportErrorInfo, &IID_IProgressBarX, &IID_IDispatch};
    IUnknown* identity = As<IUnknown>(IID_IUnknown);
    auto* errors = As<ISupportErrorInfo>(IID_ISupportErrorInfo);
    for (const IID* iid : offered) {
        IUnknown* p = As<IUnknown>(*iid);
        ASSERT_NE(p, nullptr);
        IUnknown* back = Query<IUnknown>(p, IID_IUnknown);
        EXPECT_EQ(back, identity);
        back->Release();
        p->Release();
        EXPECT_EQ(errors->InterfaceSupportsErrorInfo(*iid), S_OK);
    }
    // IUnknown is answered through the first entry.
    auto* first = As<IViewObjectEx>(IID_IViewObjectEx);
    EXPECT_EQ(static_cast<void*>(identity), static_cast<void*>(first));
    first->Release();
    identity->Release();
    for (const IID* iid : {&IID_IPersistPropertyBag, &IID_IPerPropertyBrowsing, &IID_IOleInPlaceObjectWindowless,
                           &IID_IObjectSafety, &IID_IPersistStream}) {
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(control->QueryInterface(*iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
        EXPECT_EQ(errors->InterfaceSupportsErrorInfo(*iid), S_FALSE);
    }
    errors->Release();
    EXPECT_EQ(RefCount(control), 1u);
}

TEST_F(MeterixControlTest, PropertiesAreTheProgressBarsOwn) {
    VARIANT_BOOL is = 0;
    BSTR name = SysAllocString(L"TProgressBar");
    EXPECT_EQ(control->ClassNameIs(name, &is), S_OK);
    EXPECT_EQ(is, VARIANT_TRUE);
    SysFreeString(name);
    for (const wchar_t* other : {L"TWinControl", L"TButton", L""}) {
        name = SysAllocString(other);
        EXPECT_EQ(control->ClassNameIs(name, &is), S_OK);
        EXPECT_EQ(is, VARIANT_FALSE) << other;
        SysFreeString(name);
    }
    EXPECT_EQ(Read(&IProgressBarX::get_Min, control), 0);
    EXPECT_EQ(Read(&IProgressBarX::get_Max, control), 100);
    EXPECT_EQ(Read(&IProgressBarX::get_Step, control), 10);

    // Reading gives what the bar reports, not the value written.
    EXPECT_EQ(control->put_Position(150), S_OK);
    EXPECT_EQ(Read(&IProgressBarX::get_Position, control), 100);
    EXPECT_EQ(control->put_Position(50), S_OK);
    EXPECT_EQ(control->StepBy(-20), S_OK);
    EXPECT_EQ(Read(&IProgressBarX::get_Position, control), 30);
    EXPECT_EQ(control->put_Step(15), S_OK);
    EXPECT_EQ(control->StepIt(), S_OK);
    EXPECT_EQ(Read(&IProgressBarX::get_Position, control), 45);

    VARIANT_BOOL enabled = 0;
    for (VARIANT_BOOL written : {VARIANT_BOOL(0), VARIANT_BOOL(1), VARIANT_BOOL(0), VARIANT_TRUE}) {
        EXPECT_EQ(control->put_Enabled(written), S_OK);
        EXPECT_EQ(control->get_Enabled(&enabled), S_OK);
        EXPECT_EQ(enabled, written ? VARIANT_TRUE : VARIANT_FALSE);
    }
    TxDragMode mode = dmManual;
    EXPECT_EQ(control->put_DragMode(dmAutomatic), S_OK);
    EXPECT_EQ(control->get_DragMode(&mode), S_OK);
    EXPECT_EQ(mode, dmAutomatic);
    EXPECT_EQ(control->put_DragMode(static_cast<TxDragMode>(7)), E_INVALIDARG);
    EXPECT_EQ(control->get_DragMode(&mode), S_OK);
    EXPECT_EQ(mode, dmAutomatic);
    short cursor = 0;
    EXPECT_EQ(control->put_Cursor(-21), S_OK);
    EXPECT_EQ(control->get_Cursor(&cursor), S_OK);
    EXPECT_EQ(cursor, -21);
    EXPECT_EQ(control->get_DragCursor(&cursor), S_OK);
    EXPECT_EQ(cursor, -12);
}

TEST_F(MeterixControlTest, PutAsksTheSinksChangesThenTellsThemAndNothingElse) {
    suite::testing::CallLog log;
    suite::testing::FakeAdviseSink view(log);
    auto* viewObject = As<IViewObject>(IID_IViewObject);
    ASSERT_EQ(viewObject->SetAdvise(DVASPECT_CONTENT, 0, &view), S_OK);
    auto* persist = As<IPersistStreamInit>(IID_IPersistStreamInit);
    {
        ConnectedSink connected(control, log);
        EXPECT_EQ(control->put_Max(80), S_OK);
        EXPECT_CALLS(log, {"OnRequestEdit(6)", "OnChanged(6)"});
        connected.sink.refuse = true;
        EXPECT_EQ(control->put_Min(20), S_FALSE);
        EXPECT_CALLS(log, {"OnRequestEdit(5)"});
        EXPECT_EQ(Read(&IProgressBarX::get_Min, control), 0);
        EXPECT_EQ(control->put_Enabled(VARIANT_FALSE), S_FALSE);
        EXPECT_CALLS(log, {"OnRequestEdit(-514)"});
    }
    // No requires-save flag, no view change.
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    EXPECT_CALLS(log, {});
    viewObject->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    EXPECT_EQ(view.refs, 0);
    persist->Release();
    viewObject->Release();
}

TEST_F(MeterixControlTest, FrameworkExceptionsBecomeErrorInformationFromTheProgId) {
    suite::testing::CallLog log;
    ConnectedSink connected(control, log);
    EXPECT_EQ(control->put_Min(200), DISP_E_EXCEPTION);
    EXPECT_EQ(TakeErrorInfo(), L"Meterix.ProgressBarX|Min (200) above Max (100)");
    // The bar is unchanged and the sinks hear of no change.
    EXPECT_EQ(Read(&IProgressBarX::get_Min, control), 0);
    EXPECT_CALLS(log, {"OnRequestEdit(5)"});

    // A script host reads the same through IDispatch.
    DISPID named = DISPID_PROPERTYPUT;
    VARIANT argument;
    V_VT(&argument) = VT_I4;
    V_I4(&argument) = -1;
    DISPPARAMS params{&argument, &named, 1, 1};
    EXCEPINFO exception{};
    EXPECT_EQ(control->Invoke(6, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, &exception, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_STREQ(exception.bstrDescription, L"Max (-1) below Min (0)");
    EXPECT_STREQ(exception.bstrSource, L"Meterix.ProgressBarX");
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    log.Clear();
}

TEST_F(MeterixControlTest, ConnectionPointsClassInfoAndPages) {
    auto* container = As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    IEnumConnectionPoints* points = nullptr;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    IConnectionPoint* point[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(3, point, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    IID iid{};
    point[0]->GetConnectionInterface(&iid);
    EXPECT_TRUE(IsEqualIID(iid, DIID_IProgressBarXEvents));
    point[1]->GetConnectionInterface(&iid);
    EXPECT_TRUE(IsEqualIID(iid, IID_IPropertyNotifySink));
    point[1]->Release();
    points->Release();

    // Five event sinks, no sixth.
    suite::testing::CallLog log;
    std::vector<std::unique_ptr<suite::testing::FakeEventSink>> sinks;
    DWORD cookies[6] = {};
    for (int i = 0; i < 6; ++i) {
        sinks.push_back(std::make_unique<suite::testing::FakeEventSink>(log, DIID_IProgressBarXEvents));
        EXPECT_EQ(point[0]->Advise(sinks.back().get(), &cookies[i]), i < 5 ? S_OK : CONNECT_E_ADVISELIMIT);
    }
    for (int i = 0; i < 5; ++i) EXPECT_EQ(point[0]->Unadvise(cookies[i]), S_OK);
    for (auto& sink : sinks) EXPECT_EQ(sink->refs, 0);
    point[0]->Release();
    IConnectionPoint* none = reinterpret_cast<IConnectionPoint*>(1);
    EXPECT_EQ(container->FindConnectionPoint(IID_IAdviseSink, &none), CONNECT_E_NOCONNECTION);
    container->Release();
    log.Clear();

    auto* info = As<IProvideClassInfo2>(IID_IProvideClassInfo2);
    GUID guid{};
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid), S_OK);
    EXPECT_TRUE(IsEqualGUID(guid, DIID_IProgressBarXEvents));
    EXPECT_EQ(info->GetGUID(2, &guid), E_FAIL);
    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(info->GetClassInfo(&coclass), S_OK);
    TYPEATTR* attributes = nullptr;
    coclass->GetTypeAttr(&attributes);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, CLSID_ProgressBarX));
    coclass->ReleaseTypeAttr(attributes);
    coclass->Release();
    info->Release();

    auto* pages = As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
    CAUUID list{7, nullptr};
    EXPECT_EQ(pages->GetPages(&list), S_OK);
    EXPECT_EQ(list.cElems, 0u);
    CoTaskMemFree(list.pElems);
    pages->Release();

    auto* object = As<IOleObject>(IID_IOleObject);
    SIZEL extent{};
    EXPECT_EQ(object->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(extent.cx, 5080);
    EXPECT_EQ(extent.cy, 5080);
    // Its own status, the same as it registers, without being registered.
    DWORD status = 0;
    EXPECT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    EXPECT_EQ(status, 131473u);
    EXPECT_EQ(object->GetMiscStatus(DVASPECT_ICON, &status), S_OK);
    EXPECT_EQ(status, 0u);
    object->Release();
}

TEST_F(MeterixControlTest, SavedInOneControlLoadedInAnother) {
    control->put_Max(400);
    control->put_Min(-50);
    control->put_Step(7);
    control->put_Position(123);
    auto* persist = As<IPersistStreamInit>(IID_IPersistStreamInit);
    IStream* stream = NewStream();
    ASSERT_EQ(persist->Save(stream, TRUE), S_OK);
    persist->Release();

    IProgressBarX* other = CreateProgressBarX();
    auto* otherPersist = Query<IPersistStreamInit>(other, IID_IPersistStreamInit);
    Rewind(stream);
    ASSERT_EQ(otherPersist->Load(stream), S_OK);
    EXPECT_EQ(Read(&IProgressBarX::get_Min, other), -50);
    EXPECT_EQ(Read(&IProgressBarX::get_Max, other), 400);
    EXPECT_EQ(Read(&IProgressBarX::get_Step, other), 7);
    EXPECT_EQ(Read(&IProgressBarX::get_Position, other), 123);

    // Through a storage: the same image in its "Contents".
    IStorage* storage = nullptr;
    ASSERT_EQ(StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE, 0,
                               &storage),
              S_OK);
    auto* storagePersist = Query<IPersistStorage>(other, IID_IPersistStorage);
    other->put_Position(5);
    ASSERT_EQ(storagePersist->Save(storage, TRUE), S_OK);
    auto* back = Query<IPersistStorage>(control, IID_IPersistStorage);
    ASSERT_EQ(back->Load(storage), S_OK);
    EXPECT_EQ(Read(&IProgressBarX::get_Position, control), 5);
    back->Release();
    storagePersist->Release();
    storage->Release();
    otherPersist->Release();
    EXPECT_EQ(other->Release(), 0u);
    stream->Release();
}

TEST_F(MeterixControlTest, TruncatedOrCorruptImageIsRefusedAndChangesNothing) {
    control->put_Max(300);
    control->put_Position(200);
    auto* persist = As<IPersistStreamInit>(IID_IPersistStreamInit);
    IStream* stream = NewStream();
    ASSERT_EQ(persist->Save(stream, TRUE), S_OK);
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const auto size = static_cast<size_t>(stat.cbSize.QuadPart);
    std::vector<BYTE> image(size);
    memcpy(image.data(), GlobalLock(memory), size);
    GlobalUnlock(memory);
    stream->Release();

    control->put_Position(10);
    control->put_Max(100);
    auto loadFrom = [&](const std::vector<BYTE>& bytes) {
        IStream* s = NewStream();
        s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        Rewind(s);
        HRESULT hr = persist->Load(s);
        s->Release();
        return hr;
    };
    for (size_t cut : {size_t{0}, size_t{5}, size / 2, size - 1}) {
        EXPECT_EQ(loadFrom(std::vector<BYTE>(image.begin(), image.begin() + static_cast<ptrdiff_t>(cut))),
                  DISP_E_EXCEPTION)
            << cut;
        EXPECT_NE(TakeErrorInfo().find(L"Meterix.ProgressBarX|"), std::wstring::npos);
    }
    std::vector<BYTE> corrupt = image;
    for (size_t i = 10; i < corrupt.size(); ++i) corrupt[i] = 0xEE;
    EXPECT_EQ(loadFrom(corrupt), DISP_E_EXCEPTION);
    EXPECT_NE(TakeErrorInfo(), L"<none>");
    EXPECT_EQ(Read(&IProgressBarX::get_Max, control), 100);
    EXPECT_EQ(Read(&IProgressBarX::get_Position, control), 10);
    persist->Release();
}
