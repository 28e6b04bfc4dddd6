#include "control_cycle.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace soak {

namespace {

// Gives the reference back when the cycle leaves its step, whatever way.
template <class I>
struct Held {
    I* p = nullptr;
    ~Held() {
        if (p) p->Release();
    }
    // Releases now: the count the object answers.
    ULONG Drop() {
        ULONG left = p->Release();
        p = nullptr;
        return left;
    }
    void** Out() { return reinterpret_cast<void**>(&p); }
};

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

}  // namespace

ControlCycle::ControlCycle(const wchar_t* library, REFCLSID clsid, bool storage)
    : server_(suite::testing::LoadInProcessServer(library)), clsid_(clsid), storage_(storage) {}

bool ControlCycle::Step(const char* step, HRESULT hr) {
    if (SUCCEEDED(hr)) return true;
    ADD_FAILURE() << step << " answered " << Hex(hr);
    return false;
}

template <class I>
I* ControlCycle::Fresh(REFIID iid) {
    I* out = nullptr;
    factory_->CreateInstance(nullptr, iid, reinterpret_cast<void**>(&out));
    return out;
}

bool ControlCycle::operator()() {
    if (!server_.getClassObject) {
        ADD_FAILURE() << "the library did not load";
        return false;
    }
    Held<IClassFactory> factory;
    if (!Step("DllGetClassObject", server_.getClassObject(clsid_, IID_IClassFactory, factory.Out()))) return false;
    factory_ = factory.p;
    Held<IOleObject> object;
    if (!Step("CreateInstance", factory.p->CreateInstance(nullptr, IID_IOleObject, object.Out()))) return false;

    if (!Step("SetClientSite", object.p->SetClientSite(&site_))) return false;
    if (!Step("DoVerb(INPLACEACTIVATE)", object.p->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site_, 0,
                                                          site_.window, &site_.position)))
        return false;

    Held<IViewObject> view;
    if (!Step("QueryInterface(IViewObject)", object.p->QueryInterface(IID_IViewObject, view.Out()))) return false;
    RECTL bounds{10, 10, 190, 90};
    if (!Step("IViewObject::Draw", view.p->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas_.dc,
                                                &bounds, nullptr, nullptr, 0)))
        return false;
    view.Drop();

    if (!SaveAndLoad(object.p)) return false;

    Held<IOleInPlaceObject> inPlace;
    if (!Step("QueryInterface(IOleInPlaceObject)", object.p->QueryInterface(IID_IOleInPlaceObject, inPlace.Out())))
        return false;
    if (!Step("InPlaceDeactivate", inPlace.p->InPlaceDeactivate())) return false;
    inPlace.Drop();
    if (!Step("Close", object.p->Close(OLECLOSE_NOSAVE))) return false;
    // Snapview refuses a null site (its contract): it lets go of the site
    // when it ends instead, which the count below checks.
    object.p->SetClientSite(nullptr);
    // The container's calls are not checked here (each control's tests
    // do); they are only let go of, so the log does not grow.
    log_.Clear();
    if (const ULONG left = object.Drop(); left != 0) {
        ADD_FAILURE() << "the control lives on after its last Release: " << left << " references";
        return false;
    }
    factory_ = nullptr;
    if (site_.refs != 0 || site_.frame.refs != 0) {
        ADD_FAILURE() << "the ended control still holds the site (" << site_.refs << ") or the frame ("
                      << site_.frame.refs << ")";
        return false;
    }
    return true;
}

bool ControlCycle::SaveAndLoad(IUnknown* control) {
    return ThroughStream(control) && (!storage_ || ThroughStorage(control));
}

bool ControlCycle::ThroughStream(IUnknown* control) {
    Held<IPersistStreamInit> persist;
    if (!Step("QueryInterface(IPersistStreamInit)", control->QueryInterface(IID_IPersistStreamInit, persist.Out())))
        return false;
    Held<IStream> stream;
    if (!Step("CreateStreamOnHGlobal", CreateStreamOnHGlobal(nullptr, TRUE, &stream.p))) return false;
    if (!Step("IPersistStreamInit::Save", persist.p->Save(stream.p, TRUE))) return false;
    Held<IPersistStreamInit> fresh;
    fresh.p = Fresh<IPersistStreamInit>(IID_IPersistStreamInit);
    if (!fresh.p) return Step("CreateInstance(IPersistStreamInit)", E_FAIL);
    if (!Step("Seek", stream.p->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr))) return false;
    if (!Step("IPersistStreamInit::Load", fresh.p->Load(stream.p))) return false;
    if (const ULONG left = fresh.Drop(); left != 0) {
        ADD_FAILURE() << "the loaded instance lives on: " << left << " references";
        return false;
    }
    return true;
}

bool ControlCycle::ThroughStorage(IUnknown* control) {
    Held<IPersistStorage> persist;
    if (!Step("QueryInterface(IPersistStorage)", control->QueryInterface(IID_IPersistStorage, persist.Out())))
        return false;
    Held<ILockBytes> bytes;
    if (!Step("CreateILockBytesOnHGlobal", CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes.p))) return false;
    Held<IStorage> storage;
    if (!Step("StgCreateDocfileOnILockBytes",
              StgCreateDocfileOnILockBytes(bytes.p, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                           &storage.p)))
        return false;
    if (!Step("IPersistStorage::Save", persist.p->Save(storage.p, FALSE))) return false;
    if (!Step("IPersistStorage::SaveCompleted", persist.p->SaveCompleted(nullptr))) return false;
    Held<IPersistStorage> fresh;
    fresh.p = Fresh<IPersistStorage>(IID_IPersistStorage);
    if (!fresh.p) return Step("CreateInstance(IPersistStorage)", E_FAIL);
    if (!Step("IPersistStorage::Load", fresh.p->Load(storage.p))) return false;
    // The loaded instance lets go of the storage before it ends.
    if (!Step("IPersistStorage::HandsOffStorage", fresh.p->HandsOffStorage())) return false;
    if (const ULONG left = fresh.Drop(); left != 0) {
        ADD_FAILURE() << "the instance loaded from a storage lives on: " << left << " references";
        return false;
    }
    return true;
}

std::string ControlCycle::CheckEnd() {
    EXPECT_EQ(site_.refs, 0) << "the container's site is still referenced";
    EXPECT_EQ(site_.frame.refs, 0) << "the container's frame is still referenced";
    const HRESULT unload = server_.canUnloadNow ? server_.canUnloadNow() : E_FAIL;
    EXPECT_EQ(unload, S_OK) << "the library still has objects or locks";
    return "site refs " + std::to_string(site_.refs) + ", frame refs " + std::to_string(site_.frame.refs) +
           ", DllCanUnloadNow " + (unload == S_OK ? std::string("S_OK") : Hex(unload));
}

}  // namespace soak
