// The line each method of each implementation object announces itself
// with: a container's developer reads these to follow the calls, so every
// text (module, class, method, the odd leading space) is part of the
// control's face.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "fakes.h"
#include "snapview_library.h"
#include "testing/clipboard.h"
#include "testing/debug_output.h"

using namespace snapview_test;
using suite::testing::CallLog;
using suite::testing::ClipboardScope;
using suite::testing::DebugOutputCapture;
using suite::testing::MakeSolidDib;

namespace {

struct Announced {
    const char* message;  // "MODULE: text" of the call's first line
    std::function<void()> call;
};

class TraceTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255))));
        ASSERT_EQ(CreateControl(nullptr, IID_IUnknown, reinterpret_cast<void**>(&control)), S_OK);
    }
    void TearDown() override {
        if (control) {
            EXPECT_EQ(control->Release(), 0u);
        }
        EXPECT_EQ(Server().canUnloadNow(), S_OK);
    }
    template <typename T>
    T* Get(REFIID iid) {
        T* out = nullptr;
        EXPECT_EQ(control->QueryInterface(iid, reinterpret_cast<void**>(&out)), S_OK);
        return out;
    }
    // Each call on its own: its first line, exactly one of them for it.
    void ExpectAnnounced(const std::vector<Announced>& calls) {
        for (const Announced& each : calls) {
            DebugOutputCapture trace;
            each.call();
            std::vector<std::string> messages = Messages(trace.Take());
            ASSERT_FALSE(messages.empty()) << each.message;
            EXPECT_EQ(messages[0], each.message);
            EXPECT_EQ(std::count(messages.begin(), messages.end(), messages[0]), 1)
                << each.message;
        }
    }

    ClipboardScope clipboard;
    IUnknown* control = nullptr;
};

}  // namespace

TEST_F(TraceTextTest, EmbeddingObjects) {
    IOleObject* object = Get<IOleObject>(IID_IOleObject);
    ASSERT_TRUE(object);
    CallLog log;
    FakeAdviseSink sink(log);
    DWORD connection = 0;
    IUnknown* unknown = nullptr;
    void* none = nullptr;  // out pointers that get nothing
    CLSID clsid{};
    SIZEL size{};
    DWORD status = 0;
    ExpectAnnounced({
        {"IOLEOBJ: TImpIOleObject::QueryInterface",
         [&] { object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)); }},
        {"IOLEOBJ: TImpIOleObject::Release", [&] { object->Release(); }},
        {"IOLEOBJ: TImpIOleObject::AddRef", [&] { object->AddRef(); }},
        {"IOLEOBJ: TImpIOleObject::SetClientSite", [&] { object->SetClientSite(nullptr); }},
        {"IOLEOBJ: TImpIOleObject::GetClientSite",
         [&] { object->GetClientSite(reinterpret_cast<IOleClientSite**>(&none)); }},
        {"IOLEOBJ: TImpIOleObject::SetHostNames", [&] { object->SetHostNames(L"app", L"doc"); }},
        {"IOLEOBJ: TImpIOleObject::Close", [&] { object->Close(OLECLOSE_NOSAVE); }},
        {"IOLEOBJ: TImpIOleObject::SetMoniker",
         [&] { object->SetMoniker(OLEWHICHMK_CONTAINER, nullptr); }},
        {"IOLEOBJ: TImpIOleObject::GetMoniker",
         [&] { object->GetMoniker(0, 0, reinterpret_cast<IMoniker**>(&none)); }},
        {"IOLEOBJ: TImpIOleObject::InitFromData", [&] { object->InitFromData(nullptr, FALSE, 0); }},
        {"IOLEOBJ: TImpIOleObject::GetClipboardData",
         [&] { object->GetClipboardData(0, reinterpret_cast<IDataObject**>(&none)); }},
        {"IOLEOBJ: TImpIOleObject::DoVerb iVerb = -3",
         [&] { object->DoVerb(OLEIVERB_HIDE, nullptr, nullptr, 0, nullptr, nullptr); }},
        {"IOLEOBJ: TImpIOleObject::DoVerb iVerb = 7",
         [&] { object->DoVerb(7, nullptr, nullptr, 0, nullptr, nullptr); }},
        {"IOLEOBJ: TImpIOleObject::EnumVerbs", [&] { object->EnumVerbs(nullptr); }},
        {"IOLEOBJ: TImpIOleObject::Update", [&] { object->Update(); }},
        {"IOLEOBJ: TImpIOleObject::IsUpToDate", [&] { object->IsUpToDate(); }},
        {"IOLEOBJ: TImpIOleObject::GetUserClassID", [&] { object->GetUserClassID(&clsid); }},
        {"IOLEOBJ: TImpIOleObject::GetUserType",
         [&] { object->GetUserType(USERCLASSTYPE_FULL, nullptr); }},
        {"IOLEOBJ: TImpIOleObject::SetExtent", [&] { object->SetExtent(DVASPECT_CONTENT, &size); }},
        {"IOLEOBJ: TImpIOleObject::GetExtent", [&] { object->GetExtent(DVASPECT_CONTENT, &size); }},
        {"IOLEOBJ: TImpIOleObject::Advise", [&] { object->Advise(&sink, &connection); }},
        {"IOLEOBJ: TImpIOleObject::EnumAdvise", [&] { object->EnumAdvise(nullptr); }},
        {"IOLEOBJ: TImpIOleObject::Unadvise", [&] { object->Unadvise(connection); }},
        {"IOLEOBJ: TImpIOleObject::GetMiscStatus",
         [&] { object->GetMiscStatus(DVASPECT_CONTENT, &status); }},
        {"IOLEOBJ: TImpIOleObject::SetColorScheme", [&] { object->SetColorScheme(nullptr); }},
    });
    unknown->Release();
    object->Release();
    EXPECT_EQ(sink.refs, 0);

    IOleControl* oleControl = Get<IOleControl>(IID_IOleControl);
    ASSERT_TRUE(oleControl);
    CONTROLINFO info{};
    ExpectAnnounced({
        {"IOLECONT: TImpIOleControl::QueryInterface",
         [&] { oleControl->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)); }},
        {"IOLECONT: TImpIOleControl::Release", [&] { oleControl->Release(); }},
        {"IOLECONT: TImpIOleControl::AddRef", [&] { oleControl->AddRef(); }},
        {"IOLECONT: TImpIOleControl::GetControlInfo", [&] { oleControl->GetControlInfo(&info); }},
        {"IOLECONT: TImpIOleControl::OnMnemonic", [&] { oleControl->OnMnemonic(nullptr); }},
        {"IOLECONT: TImpIOleControl::OnAmbientPropertyChange",
         [&] { oleControl->OnAmbientPropertyChange(DISPID_UNKNOWN); }},
        {"IOLECONT: TImpIOleControl::FreezeEvents", [&] { oleControl->FreezeEvents(TRUE); }},
    });
    unknown->Release();
    oleControl->Release();

    IOleInPlaceObject* inPlace = Get<IOleInPlaceObject>(IID_IOleInPlaceObject);
    ASSERT_TRUE(inPlace);
    HWND window = nullptr;
    RECT rect{0, 0, 10, 10};
    ExpectAnnounced({
        {"IIPOBJ:  TImpIOleInPlaceObject::QueryInterface",
         [&] { inPlace->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)); }},
        {"IIPOBJ:  TImpIOleInPlaceObject::Release", [&] { inPlace->Release(); }},
        {"IIPOBJ:  TImpIOleInPlaceObject::AddRef", [&] { inPlace->AddRef(); }},
        {"IIPOBJ:  TImpIOleInPlaceObject::GetWindow", [&] { inPlace->GetWindow(&window); }},
        {"IIPOBJ: TImpIOleInPlaceObject::ContextSensitiveHelp",
         [&] { inPlace->ContextSensitiveHelp(FALSE); }},
        {"IIPOBJ:  TImpIOleInPlaceObject::InPlaceDeactivate", [&] { inPlace->InPlaceDeactivate(); }},
        {"IIPOBJ:  TImpIOleInPlaceObject::UIDeactivate", [&] { inPlace->UIDeactivate(); }},
        {"IIPOBJ: TImpIOleInPlaceObject::SetObjectRects",
         [&] { inPlace->SetObjectRects(&rect, &rect); }},
        {"IIPOBJ: TImpIOleInPlaceObject::ReactivateAndUndo", [&] { inPlace->ReactivateAndUndo(); }},
    });
    unknown->Release();
    inPlace->Release();
}

TEST_F(TraceTextTest, PersistenceAndConnectionObjects) {
    IPersistStreamInit* persist = Get<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_TRUE(persist);
    IUnknown* unknown = nullptr;
    CLSID clsid{};
    ULARGE_INTEGER size{};
    ExpectAnnounced({
        {"IPERSTMI: TImpIPersistStreamInit::QueryInterface",
         [&] { persist->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)); }},
        {"IPERSTMI: TImpIPersistStreamInit::Release", [&] { persist->Release(); }},
        {"IPERSTMI: TImpIPersistStreamInit::AddRef", [&] { persist->AddRef(); }},
        {"IPERSTMI: TImpIPersistStreamInit::GetClassID", [&] { persist->GetClassID(&clsid); }},
        {"IPERSTMI: TImpIPersistStreamInit::IsDirty", [&] { persist->IsDirty(); }},
        {"IPERSTMI: TImpIPersistStreamInit::Load", [&] { persist->Load(nullptr); }},
        {"IPERSTMI: TImpIPersistStreamInit::Save", [&] { persist->Save(nullptr, TRUE); }},
        {"IPERSTMI: TImpIPersistStreamInit::GetSizeMax", [&] { persist->GetSizeMax(&size); }},
        {"IPERSTMI: TImpIPersistStreamInit::InitNew", [&] { persist->InitNew(); }},
    });
    unknown->Release();
    persist->Release();

    IConnectionPointContainer* container =
        Get<IConnectionPointContainer>(IID_IConnectionPointContainer);
    ASSERT_TRUE(container);
    IConnectionPoint* point = nullptr;
    void* none = nullptr;
    ExpectAnnounced({
        {"ICONNPT: TImpIConnPtCont::QueryInterface",
         [&] { container->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)); }},
        {"ICONNPT: TImpIConnPtCont::Release", [&] { container->Release(); }},
        {"ICONNPT: TImpIConnPtCont::AddRef", [&] { container->AddRef(); }},
        {"ICONNPT: TImpIConnPtCont::EnumConn",
         [&] {
             container->EnumConnectionPoints(reinterpret_cast<IEnumConnectionPoints**>(&none));
         }},
        {"ICONNPT: TImpIConnPtCont::FindConnectionPoint",
         [&] { container->FindConnectionPoint(DIID_DISnapviewAdviseSink, &point); }},
    });
    unknown->Release();
    container->Release();
    ASSERT_TRUE(point);

    IID iid{};
    DWORD cookie = 0;
    ExpectAnnounced({
        {"ICONNPT: TImpIConnectionPoint::QueryInterface",
         [&] { point->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)); }},
        {"ICONNPT: TImpIConnectionPoint::Release", [&] { unknown->Release(); }},
        {"ICONNPT: TImpIConnectionPoint::AddRef", [&] { point->AddRef(); }},
        {"ICONNPT: TImpIConnectionPoint::GetConnectionInterface",
         [&] { point->GetConnectionInterface(&iid); }},
        {"ICONNPT: TImpIConnectionPoint::Advise", [&] { point->Advise(nullptr, &cookie); }},
        {"ICONNPT: TImpIConnectionPoint::Unadvise", [&] { point->Unadvise(0); }},
        {"ICONNPT: TImpIConnectionPoint::EnumConnections",
         [&] { point->EnumConnections(reinterpret_cast<IEnumConnections**>(&none)); }},
        {"ICONNPT: TImpIConnectionPoint::GetConnectionPoint",
         [&] {
             point->GetConnectionPointContainer(
                 reinterpret_cast<IConnectionPointContainer**>(&unknown));
         }},
    });
    unknown->Release();
    point->Release();
    point->Release();
}

TEST_F(TraceTextTest, FactoryAndExports) {
    IClassFactory* factory = Factory();
    ASSERT_TRUE(factory);
    IUnknown* unknown = nullptr;
    ExpectAnnounced({
        {"DLLENTRY: TImpIClassFactory::QueryInterface",
         [&] { factory->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)); }},
        {"DLLENTRY: TImpIClassFactory::Release", [&] { unknown->Release(); }},
        {"DLLENTRY: TImpIClassFactory::AddRef", [&] { factory->AddRef(); }},
        {"DLLENTRY: DllCanUnloadNow", [&] { Server().canUnloadNow(); }},
        {"DLLENTRY: DllGetClassObject",
         [&] { Server().getClassObject(GUID_NULL, IID_IClassFactory, nullptr); }},
    });
    DebugOutputCapture trace;
    factory->LockServer(TRUE);
    factory->LockServer(FALSE);
    std::vector<std::string> messages = Messages(trace.Take());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].starts_with("DLLENTRY: ")) << messages[0];
    factory->Release();
    factory->Release();
}
