// The line each method of each implementation object announces itself
// with: a container's developer reads these to follow the calls, so every
// text (module, class, method, the odd leading space) is part of the
// control's face.
#include <algorithm>
#include <functional>

#include "control_fixture.h"

using namespace snapview_test;

namespace {

// The message of a call's first line, after the object's common prefix.
struct Announced {
    const char* message;
    std::function<void()> call;
};
#define ANNOUNCES(message, call) Announced{message, [&] { call; }}

// Any out pointer the call may fill; what it gets is released by hand.
template <typename T>
T** Out(void*& slot) {
    return reinterpret_cast<T**>(&slot);
}

class TraceTextTest : public ControlFixture {
protected:
    // Each call on its own: its first line, and only one line of that text.
    static void ExpectAnnounced(const std::string& prefix, const std::vector<Announced>& calls) {
        for (const Announced& each : calls) {
            const std::string expected = prefix + each.message;
            DebugOutputCapture trace;
            each.call();
            std::vector<std::string> messages = Messages(trace.Take());
            ASSERT_FALSE(messages.empty()) << expected;
            EXPECT_EQ(messages[0], expected);
            EXPECT_EQ(std::count(messages.begin(), messages.end(), expected), 1) << expected;
        }
    }
};

}  // namespace

TEST_F(TraceTextTest, EmbeddingObjects) {
    IOleObject* o = Get<IOleObject>(IID_IOleObject);
    ASSERT_TRUE(o);
    CallLog log;
    suite::testing::FakeAdviseSink sink(log);
    DWORD connection = 0;
    void* unknown = nullptr;
    void* none = nullptr;  // out pointers that get nothing
    CLSID clsid{};
    SIZEL size{};
    DWORD status = 0;
    ExpectAnnounced("IOLEOBJ: TImpIOleObject::", {
        ANNOUNCES("QueryInterface", o->QueryInterface(IID_IUnknown, &unknown)),
        ANNOUNCES("Release", o->Release()),
        ANNOUNCES("AddRef", o->AddRef()),
        ANNOUNCES("SetClientSite", o->SetClientSite(nullptr)),
        ANNOUNCES("GetClientSite", o->GetClientSite(Out<IOleClientSite>(none))),
        ANNOUNCES("SetHostNames", o->SetHostNames(L"app", L"doc")),
        ANNOUNCES("Close", o->Close(OLECLOSE_NOSAVE)),
        ANNOUNCES("SetMoniker", o->SetMoniker(OLEWHICHMK_CONTAINER, nullptr)),
        ANNOUNCES("GetMoniker", o->GetMoniker(0, 0, Out<IMoniker>(none))),
        ANNOUNCES("InitFromData", o->InitFromData(nullptr, FALSE, 0)),
        ANNOUNCES("GetClipboardData", o->GetClipboardData(0, Out<IDataObject>(none))),
        ANNOUNCES("DoVerb iVerb = -3", o->DoVerb(-3, nullptr, nullptr, 0, nullptr, nullptr)),
        ANNOUNCES("DoVerb iVerb = 7", o->DoVerb(7, nullptr, nullptr, 0, nullptr, nullptr)),
        ANNOUNCES("EnumVerbs", o->EnumVerbs(nullptr)),
        ANNOUNCES("Update", o->Update()),
        ANNOUNCES("IsUpToDate", o->IsUpToDate()),
        ANNOUNCES("GetUserClassID", o->GetUserClassID(&clsid)),
        ANNOUNCES("GetUserType", o->GetUserType(USERCLASSTYPE_FULL, nullptr)),
        ANNOUNCES("SetExtent", o->SetExtent(DVASPECT_CONTENT, &size)),
        ANNOUNCES("GetExtent", o->GetExtent(DVASPECT_CONTENT, &size)),
        ANNOUNCES("Advise", o->Advise(&sink, &connection)),
        ANNOUNCES("EnumAdvise", o->EnumAdvise(nullptr)),
        ANNOUNCES("Unadvise", o->Unadvise(connection)),
        ANNOUNCES("GetMiscStatus", o->GetMiscStatus(DVASPECT_CONTENT, &status)),
        ANNOUNCES("SetColorScheme", o->SetColorScheme(nullptr)),
    });
    static_cast<IUnknown*>(unknown)->Release();
    o->Release();
    EXPECT_EQ(sink.refs, 0);

    IOleControl* c = Get<IOleControl>(IID_IOleControl);
    ASSERT_TRUE(c);
    CONTROLINFO info{};
    ExpectAnnounced("IOLECONT: TImpIOleControl::", {
        ANNOUNCES("QueryInterface", c->QueryInterface(IID_IUnknown, &unknown)),
        ANNOUNCES("Release", c->Release()),
        ANNOUNCES("AddRef", c->AddRef()),
        ANNOUNCES("GetControlInfo", c->GetControlInfo(&info)),
        ANNOUNCES("OnMnemonic", c->OnMnemonic(nullptr)),
        ANNOUNCES("OnAmbientPropertyChange", c->OnAmbientPropertyChange(DISPID_UNKNOWN)),
        ANNOUNCES("FreezeEvents", c->FreezeEvents(TRUE)),
    });
    static_cast<IUnknown*>(unknown)->Release();
    c->Release();

    IOleInPlaceObject* p = Get<IOleInPlaceObject>(IID_IOleInPlaceObject);
    ASSERT_TRUE(p);
    HWND window = nullptr;
    RECT rect{0, 0, 10, 10};
    // Six of these messages start with a space, three do not.
    ExpectAnnounced("IIPOBJ: ", {
        ANNOUNCES(" TImpIOleInPlaceObject::QueryInterface", p->QueryInterface(IID_IUnknown, &unknown)),
        ANNOUNCES(" TImpIOleInPlaceObject::Release", p->Release()),
        ANNOUNCES(" TImpIOleInPlaceObject::AddRef", p->AddRef()),
        ANNOUNCES(" TImpIOleInPlaceObject::GetWindow", p->GetWindow(&window)),
        ANNOUNCES("TImpIOleInPlaceObject::ContextSensitiveHelp", p->ContextSensitiveHelp(FALSE)),
        ANNOUNCES(" TImpIOleInPlaceObject::InPlaceDeactivate", p->InPlaceDeactivate()),
        ANNOUNCES(" TImpIOleInPlaceObject::UIDeactivate", p->UIDeactivate()),
        ANNOUNCES("TImpIOleInPlaceObject::SetObjectRects", p->SetObjectRects(&rect, &rect)),
        ANNOUNCES("TImpIOleInPlaceObject::ReactivateAndUndo", p->ReactivateAndUndo()),
    });
    static_cast<IUnknown*>(unknown)->Release();
    p->Release();
}

TEST_F(TraceTextTest, PersistenceAndConnectionObjects) {
    IPersistStreamInit* s = Get<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_TRUE(s);
    void* unknown = nullptr;
    void* none = nullptr;
    CLSID clsid{};
    ULARGE_INTEGER size{};
    ExpectAnnounced("IPERSTMI: TImpIPersistStreamInit::", {
        ANNOUNCES("QueryInterface", s->QueryInterface(IID_IUnknown, &unknown)),
        ANNOUNCES("Release", s->Release()),
        ANNOUNCES("AddRef", s->AddRef()),
        ANNOUNCES("GetClassID", s->GetClassID(&clsid)),
        ANNOUNCES("IsDirty", s->IsDirty()),
        ANNOUNCES("Load", s->Load(nullptr)),
        ANNOUNCES("Save", s->Save(nullptr, TRUE)),
        ANNOUNCES("GetSizeMax", s->GetSizeMax(&size)),
        ANNOUNCES("InitNew", s->InitNew()),
    });
    static_cast<IUnknown*>(unknown)->Release();
    s->Release();

    IConnectionPointContainer* c = Get<IConnectionPointContainer>(IID_IConnectionPointContainer);
    ASSERT_TRUE(c);
    IConnectionPoint* p = nullptr;
    ExpectAnnounced("ICONNPT: TImpIConnPtCont::", {
        ANNOUNCES("QueryInterface", c->QueryInterface(IID_IUnknown, &unknown)),
        ANNOUNCES("Release", c->Release()),
        ANNOUNCES("AddRef", c->AddRef()),
        ANNOUNCES("EnumConn", c->EnumConnectionPoints(Out<IEnumConnectionPoints>(none))),
        ANNOUNCES("FindConnectionPoint", c->FindConnectionPoint(DIID_DISnapviewAdviseSink, &p)),
    });
    static_cast<IUnknown*>(unknown)->Release();
    c->Release();
    ASSERT_TRUE(p);

    IID iid{};
    DWORD cookie = 0;
    ExpectAnnounced("ICONNPT: TImpIConnectionPoint::", {
        ANNOUNCES("QueryInterface", p->QueryInterface(IID_IUnknown, &unknown)),
        ANNOUNCES("Release", static_cast<IUnknown*>(unknown)->Release()),
        ANNOUNCES("AddRef", p->AddRef()),
        ANNOUNCES("GetConnectionInterface", p->GetConnectionInterface(&iid)),
        ANNOUNCES("Advise", p->Advise(nullptr, &cookie)),
        ANNOUNCES("Unadvise", p->Unadvise(0)),
        ANNOUNCES("EnumConnections", p->EnumConnections(Out<IEnumConnections>(none))),
        ANNOUNCES("GetConnectionPoint",
                  p->GetConnectionPointContainer(Out<IConnectionPointContainer>(unknown))),
    });
    static_cast<IUnknown*>(unknown)->Release();
    p->Release();
    p->Release();
}

TEST_F(TraceTextTest, FactoryAndExports) {
    IClassFactory* f = Factory();
    ASSERT_TRUE(f);
    void* unknown = nullptr;
    ExpectAnnounced("DLLENTRY: ", {
        ANNOUNCES("TImpIClassFactory::QueryInterface", f->QueryInterface(IID_IUnknown, &unknown)),
        ANNOUNCES("TImpIClassFactory::Release", static_cast<IUnknown*>(unknown)->Release()),
        ANNOUNCES("TImpIClassFactory::AddRef", f->AddRef()),
        ANNOUNCES("DllCanUnloadNow", Server().canUnloadNow()),
        ANNOUNCES("DllGetClassObject", Server().getClassObject(GUID_NULL, IID_IClassFactory, nullptr)),
    });
    // LockServer's wording is ours; its module is the factory's.
    DebugOutputCapture trace;
    f->LockServer(TRUE);
    f->LockServer(FALSE);
    std::vector<std::string> messages = Messages(trace.Take());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].starts_with("DLLENTRY: ")) << messages[0];
    f->Release();
    f->Release();
}
