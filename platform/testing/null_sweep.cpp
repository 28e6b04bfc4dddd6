#include "testing/null_sweep.h"

#include <objsafe.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdio>

#include "testing/in_process_server.h"

namespace suite::testing {

namespace {

// A bag that holds nothing: every read misses.
class EmptyBag : public FakeObject<IPropertyBag> {
public:
    using FakeObject::FakeObject;
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IPropertyBag))
            return Give(this, out);
        return E_NOINTERFACE;
    }
    STDMETHODIMP Read(LPCOLESTR, VARIANT*, IErrorLog*) override { return E_INVALIDARG; }
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return Unexpected("Bag::Write"); }
};

// A name passed where names are asked for, and none.
LPOLESTR g_name = const_cast<LPOLESTR>(L"Text");
LPOLESTR g_nullName = nullptr;

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

}  // namespace

const IID& NullIid() {
    const IID* none = nullptr;
    asm volatile("" : "+r"(none));
    return *none;
}

std::string ControlState(IUnknown* control) {
    std::string state;
    if (auto* persist = Query<IPersistStreamInit>(control, IID_IPersistStreamInit)) {
        IStream* stream = nullptr;
        CreateStreamOnHGlobal(nullptr, TRUE, &stream);
        persist->Save(stream, FALSE);
        STATSTG stat = {};
        stream->Stat(&stat, STATFLAG_NONAME);
        std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
        stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        stream->Release();
        state += "saved " + std::to_string(bytes.size()) + ":" + bytes;
        state += persist->IsDirty() == S_OK ? " dirty" : " clean";
        persist->Release();
    }
    if (auto* object = Query<IOleObject>(control, IID_IOleObject)) {
        SIZEL extent = {};
        object->GetExtent(DVASPECT_CONTENT, &extent);
        state += " extent " + std::to_string(extent.cx) + "x" + std::to_string(extent.cy);
        object->Release();
    }
    if (auto* window = Query<IOleWindow>(control, IID_IOleWindow)) {
        HWND hwnd = nullptr;
        state += window->GetWindow(&hwnd) == S_OK && hwnd ? " window" : " no window";
        window->Release();
    }
    auto* container = Query<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
    IEnumConnectionPoints* points = nullptr;
    if (container && SUCCEEDED(container->EnumConnectionPoints(&points)) && points) {
        IConnectionPoint* point = nullptr;
        while (points->Next(1, &point, nullptr) == S_OK) {
            IEnumConnections* connections = nullptr;
            int count = 0;
            if (SUCCEEDED(point->EnumConnections(&connections)) && connections) {
                CONNECTDATA data = {};
                while (connections->Next(1, &data, nullptr) == S_OK) {
                    data.pUnk->Release();
                    ++count;
                }
                connections->Release();
            }
            state += " sinks " + std::to_string(count);
            point->Release();
        }
        points->Release();
    }
    if (container) container->Release();
    return state;
}

NullSweepArguments::NullSweepArguments() {
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    StgCreateDocfile(nullptr,
                     STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE,
                     0, &storage);
    medium.tymed = TYMED_NULL;
    dc = CreateCompatibleDC(nullptr);
}

NullSweepArguments::~NullSweepArguments() {
    if (stream) stream->Release();
    if (storage) storage->Release();
    DeleteDC(dc);
}

#define SWEEP(I, what, allowed, expression)                                          \
    NullCall {                                                                       \
        &IID_##I, #I "::" what,                                                      \
            [](void* on, NullSweepArguments& a) -> HRESULT {                         \
                auto* o = static_cast<I*>(on);                                       \
                (void)a;                                                             \
                return expression;                                                   \
            },                                                                       \
            allowed                                                                  \
    }
// Nothing is allowed beyond refusing.
#define REFUSED E_POINTER

const std::vector<NullCall>& StandardNullCalls() {
    static const std::vector<NullCall> calls = {
        SWEEP(IOleObject, "SetClientSite(site)", S_OK, o->SetClientSite(nullptr)),
        SWEEP(IOleObject, "GetClientSite(site)", REFUSED, o->GetClientSite(nullptr)),
        SWEEP(IOleObject, "SetHostNames(application)", S_OK, o->SetHostNames(nullptr, L"doc")),
        SWEEP(IOleObject, "SetHostNames(object)", S_OK, o->SetHostNames(L"app", nullptr)),
        SWEEP(IOleObject, "SetMoniker(moniker)", REFUSED, o->SetMoniker(OLEWHICHMK_OBJREL, nullptr)),
        SWEEP(IOleObject, "GetMoniker(moniker)", REFUSED, o->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_OBJREL, nullptr)),
        SWEEP(IOleObject, "InitFromData(data)", REFUSED, o->InitFromData(nullptr, TRUE, 0)),
        SWEEP(IOleObject, "GetClipboardData(data)", REFUSED, o->GetClipboardData(0, nullptr)),
        SWEEP(IOleObject, "DoVerb(message)", S_OK, o->DoVerb(OLEIVERB_HIDE, nullptr, nullptr, 0, a.window, &a.rect)),
        SWEEP(IOleObject, "DoVerb(site)", S_OK, o->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, a.window, &a.rect)),
        SWEEP(IOleObject, "DoVerb(position)", S_OK, o->DoVerb(OLEIVERB_HIDE, nullptr, nullptr, 0, a.window, nullptr)),
        SWEEP(IOleObject, "EnumVerbs(verbs)", REFUSED, o->EnumVerbs(nullptr)),
        SWEEP(IOleObject, "GetUserClassID(clsid)", REFUSED, o->GetUserClassID(nullptr)),
        SWEEP(IOleObject, "GetUserType(name)", REFUSED, o->GetUserType(USERCLASSTYPE_FULL, nullptr)),
        SWEEP(IOleObject, "SetExtent(size)", REFUSED, o->SetExtent(DVASPECT_CONTENT, nullptr)),
        SWEEP(IOleObject, "GetExtent(size)", REFUSED, o->GetExtent(DVASPECT_CONTENT, nullptr)),
        SWEEP(IOleObject, "Advise(sink)", REFUSED, o->Advise(nullptr, &a.number)),
        SWEEP(IOleObject, "Advise(connection)", REFUSED, o->Advise(&a.adviseSink, nullptr)),
        SWEEP(IOleObject, "EnumAdvise(advises)", REFUSED, o->EnumAdvise(nullptr)),
        SWEEP(IOleObject, "GetMiscStatus(status)", REFUSED, o->GetMiscStatus(DVASPECT_CONTENT, nullptr)),
        SWEEP(IOleObject, "SetColorScheme(palette)", REFUSED, o->SetColorScheme(nullptr)),

        SWEEP(IOleControl, "GetControlInfo(info)", REFUSED, o->GetControlInfo(nullptr)),
        SWEEP(IOleControl, "OnMnemonic(message)", REFUSED, o->OnMnemonic(nullptr)),

        SWEEP(IOleWindow, "GetWindow(window)", REFUSED, o->GetWindow(nullptr)),
        SWEEP(IOleInPlaceObject, "GetWindow(window)", REFUSED, o->GetWindow(nullptr)),
        SWEEP(IOleInPlaceObject, "SetObjectRects(position)", REFUSED, o->SetObjectRects(nullptr, &a.rect)),
        SWEEP(IOleInPlaceObject, "SetObjectRects(clip)", S_OK, o->SetObjectRects(&a.rect, nullptr)),
        SWEEP(IOleInPlaceObjectWindowless, "OnWindowMessage(result)", S_FALSE, o->OnWindowMessage(WM_NULL, 0, 0, nullptr)),
        SWEEP(IOleInPlaceObjectWindowless, "GetDropTarget(target)", REFUSED, o->GetDropTarget(nullptr)),
        SWEEP(IOleInPlaceActiveObject, "GetWindow(window)", REFUSED, o->GetWindow(nullptr)),
        SWEEP(IOleInPlaceActiveObject, "TranslateAccelerator(message)", S_FALSE, o->TranslateAccelerator(nullptr)),
        SWEEP(IOleInPlaceActiveObject, "ResizeBorder(border)", S_OK, o->ResizeBorder(nullptr, nullptr, TRUE)),

        SWEEP(IViewObject, "Draw(dc)", REFUSED, o->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr, &a.rectl, nullptr, nullptr, 0)),
        SWEEP(IViewObject, "Draw(bounds)", REFUSED, o->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, a.dc, nullptr, nullptr, nullptr, 0)),
        SWEEP(IViewObject, "GetColorSet(palette)", S_FALSE, o->GetColorSet(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr)),
        SWEEP(IViewObject, "Freeze(cookie)", REFUSED, o->Freeze(DVASPECT_CONTENT, -1, nullptr, nullptr)),
        SWEEP(IViewObject, "GetAdvise(aspects)", S_OK, o->GetAdvise(nullptr, &a.number, nullptr)),
        SWEEP(IViewObject, "GetAdvise(flags)", S_OK, o->GetAdvise(&a.number, nullptr, nullptr)),
        SWEEP(IViewObject2, "GetExtent(size)", REFUSED, o->GetExtent(DVASPECT_CONTENT, -1, nullptr, nullptr)),
        SWEEP(IViewObjectEx, "GetRect(rect)", REFUSED, o->GetRect(DVASPECT_CONTENT, nullptr)),
        SWEEP(IViewObjectEx, "GetViewStatus(status)", REFUSED, o->GetViewStatus(nullptr)),
        SWEEP(IViewObjectEx, "QueryHitPoint(bounds)", REFUSED, o->QueryHitPoint(DVASPECT_CONTENT, nullptr, POINT{0, 0}, 0, &a.number)),
        SWEEP(IViewObjectEx, "QueryHitPoint(result)", REFUSED, o->QueryHitPoint(DVASPECT_CONTENT, &a.rect, POINT{0, 0}, 0, nullptr)),
        SWEEP(IViewObjectEx, "QueryHitRect(bounds)", REFUSED, o->QueryHitRect(DVASPECT_CONTENT, nullptr, &a.rect, 0, &a.number)),
        SWEEP(IViewObjectEx, "QueryHitRect(location)", REFUSED, o->QueryHitRect(DVASPECT_CONTENT, &a.rect, nullptr, 0, &a.number)),
        SWEEP(IViewObjectEx, "QueryHitRect(result)", REFUSED, o->QueryHitRect(DVASPECT_CONTENT, &a.rect, &a.rect, 0, nullptr)),
        SWEEP(IViewObjectEx, "GetNaturalExtent(info)", REFUSED, o->GetNaturalExtent(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, &a.size)),
        SWEEP(IViewObjectEx, "GetNaturalExtent(size)", REFUSED, o->GetNaturalExtent(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr)),

        SWEEP(IDataObject, "GetData(format)", REFUSED, o->GetData(nullptr, &a.medium)),
        SWEEP(IDataObject, "GetData(medium)", REFUSED, o->GetData(&a.format, nullptr)),
        SWEEP(IDataObject, "GetDataHere(format)", REFUSED, o->GetDataHere(nullptr, &a.medium)),
        SWEEP(IDataObject, "GetDataHere(medium)", REFUSED, o->GetDataHere(&a.format, nullptr)),
        SWEEP(IDataObject, "QueryGetData(format)", REFUSED, o->QueryGetData(nullptr)),
        SWEEP(IDataObject, "GetCanonicalFormatEtc(format)", REFUSED, o->GetCanonicalFormatEtc(nullptr, &a.format)),
        SWEEP(IDataObject, "GetCanonicalFormatEtc(result)", REFUSED, o->GetCanonicalFormatEtc(&a.format, nullptr)),
        SWEEP(IDataObject, "SetData(format)", REFUSED, o->SetData(nullptr, &a.medium, FALSE)),
        SWEEP(IDataObject, "SetData(medium)", REFUSED, o->SetData(&a.format, nullptr, FALSE)),
        SWEEP(IDataObject, "EnumFormatEtc(enumerator)", REFUSED, o->EnumFormatEtc(DATADIR_GET, nullptr)),
        SWEEP(IDataObject, "DAdvise(format)", REFUSED, o->DAdvise(nullptr, 0, &a.adviseSink, &a.number)),
        SWEEP(IDataObject, "DAdvise(sink)", REFUSED, o->DAdvise(&a.format, 0, nullptr, &a.number)),
        SWEEP(IDataObject, "DAdvise(connection)", REFUSED, o->DAdvise(&a.format, 0, &a.adviseSink, nullptr)),
        SWEEP(IDataObject, "EnumDAdvise(enumerator)", REFUSED, o->EnumDAdvise(nullptr)),

        SWEEP(IOleCache, "Cache(format)", REFUSED, o->Cache(nullptr, 0, &a.number)),
        SWEEP(IOleCache, "Cache(connection)", REFUSED, o->Cache(&a.format, 0, nullptr)),
        SWEEP(IOleCache, "EnumCache(enumerator)", REFUSED, o->EnumCache(nullptr)),
        SWEEP(IOleCache, "InitCache(data)", REFUSED, o->InitCache(nullptr)),
        SWEEP(IOleCache, "SetData(format)", REFUSED, o->SetData(nullptr, &a.medium, FALSE)),
        SWEEP(IOleCache, "SetData(medium)", REFUSED, o->SetData(&a.format, nullptr, FALSE)),
        SWEEP(IOleCache2, "UpdateCache(data)", REFUSED, o->UpdateCache(nullptr, UPDFCACHE_ALL, nullptr)),
        SWEEP(IOleCacheControl, "OnRun(data)", REFUSED, o->OnRun(nullptr)),

        SWEEP(IPersistStreamInit, "GetClassID(clsid)", REFUSED, o->GetClassID(nullptr)),
        SWEEP(IPersistStreamInit, "Load(stream)", REFUSED, o->Load(nullptr)),
        SWEEP(IPersistStreamInit, "Save(stream)", REFUSED, o->Save(nullptr, FALSE)),
        SWEEP(IPersistStreamInit, "GetSizeMax(size)", REFUSED, o->GetSizeMax(nullptr)),
        SWEEP(IPersistStorage, "GetClassID(clsid)", REFUSED, o->GetClassID(nullptr)),
        SWEEP(IPersistStorage, "InitNew(storage)", REFUSED, o->InitNew(nullptr)),
        SWEEP(IPersistStorage, "Load(storage)", REFUSED, o->Load(nullptr)),
        SWEEP(IPersistStorage, "Save(storage)", REFUSED, o->Save(nullptr, FALSE)),
        SWEEP(IPersistStorage, "SaveCompleted(storage)", S_OK, o->SaveCompleted(nullptr)),
        SWEEP(IPersistPropertyBag, "GetClassID(clsid)", REFUSED, o->GetClassID(nullptr)),
        SWEEP(IPersistPropertyBag, "Load(bag)", REFUSED, o->Load(nullptr, nullptr)),
        SWEEP(IPersistPropertyBag, "Load(log)", S_OK, ([&] { EmptyBag bag(a.log); return o->Load(&bag, nullptr); }())),
        SWEEP(IPersistPropertyBag, "Save(bag)", REFUSED, o->Save(nullptr, FALSE, TRUE)),

        SWEEP(IQuickActivate, "QuickActivate(container)", REFUSED, ([&] { QACONTROL c = {}; c.cbSize = sizeof c; return o->QuickActivate(nullptr, &c); }())),
        SWEEP(IQuickActivate, "QuickActivate(control)", REFUSED, ([&] { QACONTAINER c = {}; c.cbSize = sizeof c; return o->QuickActivate(&c, nullptr); }())),
        SWEEP(IQuickActivate, "SetContentExtent(size)", REFUSED, o->SetContentExtent(nullptr)),
        SWEEP(IQuickActivate, "GetContentExtent(size)", REFUSED, o->GetContentExtent(nullptr)),
        SWEEP(ISpecifyPropertyPages, "GetPages(pages)", REFUSED, o->GetPages(nullptr)),
        SWEEP(IPerPropertyBrowsing, "GetDisplayString(text)", REFUSED, o->GetDisplayString(DISPID_TEXT, nullptr)),
        SWEEP(IPerPropertyBrowsing, "MapPropertyToPage(page)", REFUSED, o->MapPropertyToPage(DISPID_TEXT, nullptr)),
        SWEEP(IPerPropertyBrowsing, "GetPredefinedStrings(strings)", REFUSED, ([&] { CADWORD c{}; return o->GetPredefinedStrings(DISPID_TEXT, nullptr, &c); }())),
        SWEEP(IPerPropertyBrowsing, "GetPredefinedStrings(cookies)", REFUSED, ([&] { CALPOLESTR s{}; return o->GetPredefinedStrings(DISPID_TEXT, &s, nullptr); }())),
        SWEEP(IPerPropertyBrowsing, "GetPredefinedValue(value)", REFUSED, o->GetPredefinedValue(DISPID_TEXT, 0, nullptr)),
        SWEEP(IProvideClassInfo, "GetClassInfo(info)", REFUSED, o->GetClassInfo(nullptr)),
        SWEEP(IProvideClassInfo2, "GetGUID(guid)", REFUSED, o->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, nullptr)),
        SWEEP(ISupportErrorInfo, "InterfaceSupportsErrorInfo(riid)", REFUSED, o->InterfaceSupportsErrorInfo(NullIid())),
        SWEEP(IObjectSafety, "GetInterfaceSafetyOptions(riid)", REFUSED, o->GetInterfaceSafetyOptions(NullIid(), &a.number, &a.number)),
        SWEEP(IObjectSafety, "GetInterfaceSafetyOptions(supported)", REFUSED, o->GetInterfaceSafetyOptions(IID_IDispatch, nullptr, &a.number)),
        SWEEP(IObjectSafety, "GetInterfaceSafetyOptions(enabled)", REFUSED, o->GetInterfaceSafetyOptions(IID_IDispatch, &a.number, nullptr)),
        SWEEP(IObjectSafety, "SetInterfaceSafetyOptions(riid)", REFUSED, o->SetInterfaceSafetyOptions(NullIid(), 1, 1)),

        SWEEP(IConnectionPointContainer, "EnumConnectionPoints(enumerator)", REFUSED, o->EnumConnectionPoints(nullptr)),
        SWEEP(IConnectionPointContainer, "FindConnectionPoint(riid)", REFUSED, o->FindConnectionPoint(NullIid(), reinterpret_cast<IConnectionPoint**>(&a.unknown))),
        SWEEP(IConnectionPointContainer, "FindConnectionPoint(point)", REFUSED, o->FindConnectionPoint(IID_IPropertyNotifySink, nullptr)),
        SWEEP(IConnectionPoint, "GetConnectionInterface(iid)", REFUSED, o->GetConnectionInterface(nullptr)),
        SWEEP(IConnectionPoint, "GetConnectionPointContainer(container)", REFUSED, o->GetConnectionPointContainer(nullptr)),
        SWEEP(IConnectionPoint, "Advise(sink)", REFUSED, o->Advise(nullptr, &a.number)),
        SWEEP(IConnectionPoint, "Advise(cookie)", REFUSED, o->Advise(&a.propertySink, nullptr)),
        SWEEP(IConnectionPoint, "EnumConnections(enumerator)", REFUSED, o->EnumConnections(nullptr)),
        SWEEP(IEnumConnectionPoints, "Next(items)", REFUSED, o->Next(1, nullptr, nullptr)),
        SWEEP(IEnumConnectionPoints, "Next(fetched)", REFUSED, ([&] { IConnectionPoint* p[2] = {}; return o->Next(2, p, nullptr); }())),
        SWEEP(IEnumConnectionPoints, "Clone(enumerator)", REFUSED, o->Clone(nullptr)),
        SWEEP(IEnumConnections, "Next(items)", REFUSED, o->Next(1, nullptr, nullptr)),
        SWEEP(IEnumConnections, "Next(fetched)", REFUSED, ([&] { CONNECTDATA d[2] = {}; return o->Next(2, d, nullptr); }())),
        SWEEP(IEnumConnections, "Clone(enumerator)", REFUSED, o->Clone(nullptr)),

        SWEEP(IDispatch, "GetTypeInfoCount(count)", REFUSED, o->GetTypeInfoCount(nullptr)),
        SWEEP(IDispatch, "GetTypeInfo(info)", REFUSED, o->GetTypeInfo(0, LOCALE_USER_DEFAULT, nullptr)),
        SWEEP(IDispatch, "GetIDsOfNames(riid)", REFUSED, o->GetIDsOfNames(NullIid(), &g_name, 1, LOCALE_USER_DEFAULT, reinterpret_cast<DISPID*>(&a.number))),
        SWEEP(IDispatch, "GetIDsOfNames(names)", REFUSED, o->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, reinterpret_cast<DISPID*>(&a.number))),
        SWEEP(IDispatch, "GetIDsOfNames(name)", REFUSED, o->GetIDsOfNames(IID_NULL, &g_nullName, 1, LOCALE_USER_DEFAULT, reinterpret_cast<DISPID*>(&a.number))),
        SWEEP(IDispatch, "GetIDsOfNames(ids)", REFUSED, o->GetIDsOfNames(IID_NULL, &g_name, 1, LOCALE_USER_DEFAULT, nullptr)),
        SWEEP(IDispatch, "Invoke(riid)", REFUSED, ([&] { DISPPARAMS p{}; return o->Invoke(DISPID_VALUE, NullIid(), 0, DISPATCH_PROPERTYGET, &p, nullptr, nullptr, nullptr); }())),
        SWEEP(IDispatch, "Invoke(parameters)", REFUSED, o->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, nullptr, nullptr, nullptr)),
        SWEEP(IDispatch, "Invoke(arguments)", REFUSED, ([&] { DISPPARAMS p{nullptr, nullptr, 1, 0}; return o->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr); }())),
        SWEEP(IDispatch, "Invoke(named arguments)", REFUSED, ([&] { VARIANT v{}; DISPPARAMS p{&v, nullptr, 1, 1}; return o->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYPUT, &p, nullptr, nullptr, nullptr); }())),

        SWEEP(IClassFactory, "CreateInstance(riid)", REFUSED, o->CreateInstance(nullptr, NullIid(), reinterpret_cast<void**>(&a.unknown))),
        SWEEP(IClassFactory, "CreateInstance(object)", REFUSED, o->CreateInstance(nullptr, IID_IUnknown, nullptr)),
    };
    return calls;
}

#undef REFUSED
#undef SWEEP

int NullSweep::Run(IUnknown* object) const {
    std::vector<const NullCall*> calls;
    std::vector<const IID*> interfaces;
    auto take = [&](const NullCall& call) {
        calls.push_back(&call);
        for (const IID* seen : interfaces)
            if (InlineIsEqualGUID(*seen, *call.iid)) return;
        interfaces.push_back(call.iid);
    };
    for (const NullCall& call : StandardNullCalls()) take(call);
    for (const NullCall& call : own) take(call);
    for (const std::string& name : skipped) {
        bool known = false;
        for (const NullCall* call : calls) known = known || call->name == name;
        EXPECT_TRUE(known) << "skipped call " << name << " is not in the sweep";
    }

    NullSweepArguments arguments;
    int made = 0;
    auto check = [&](const std::string& name, HRESULT allowed, const std::function<HRESULT()>& call) {
        if (skipped.count(name)) return;
        auto describe = [&] { return fingerprint ? fingerprint() : ControlState(object); };
        const std::string before = describe();
        const ULONG count = RefCount(object);
        std::fprintf(stderr, "null sweep: %s\n", name.c_str());
        std::fflush(stderr);
        arguments.unknown = nullptr;
        HRESULT hr = call();
        ++made;
        auto own = answers.find(name);
        bool accepted = own != answers.end() ? hr == own->second
                                             : hr == E_POINTER || hr == E_INVALIDARG ||
                                                   hr == E_NOTIMPL || hr == allowed;
        EXPECT_TRUE(accepted) << name << " answered " << Hex(hr);
        EXPECT_EQ(describe(), before) << name << " changed the object";
        EXPECT_EQ(RefCount(object), count) << name << " changed the object's count";
        EXPECT_EQ(arguments.adviseSink.refs, 0) << name << " kept the sink";
        EXPECT_EQ(arguments.propertySink.refs, 0) << name << " kept the sink";
        if (SUCCEEDED(hr) && arguments.unknown) arguments.unknown->Release();
    };

    for (const IID* iid : interfaces) {
        void* on = nullptr;
        if (FAILED(object->QueryInterface(*iid, &on)) || !on) continue;
        auto* unknown = static_cast<IUnknown*>(on);
        const std::string prefix = InterfaceName(*iid) + "::QueryInterface";
        check(prefix + "(riid)", E_POINTER, [&] {
            return unknown->QueryInterface(NullIid(), reinterpret_cast<void**>(&arguments.unknown));
        });
        check(prefix + "(object)", E_POINTER,
              [&] { return unknown->QueryInterface(IID_IUnknown, nullptr); });
        for (const NullCall* call : calls) {
            if (InlineIsEqualGUID(*call->iid, *iid))
                check(call->name, call->allowed, [&] { return call->call(on, arguments); });
        }
        unknown->Release();
    }
    EXPECT_TRUE(arguments.log.Calls().empty()) << "a null call reached a sink";
    return made;
}

}  // namespace suite::testing
