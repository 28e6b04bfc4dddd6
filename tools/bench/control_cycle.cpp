#include "control_cycle.h"

#include <ole2.h>
#include <ocidl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "measure.h"
#include "minimal_object.h"
#include "testing/call_log.h"
#include "testing/child_process.h"
#include "testing/clipboard.h"
#include "testing/fake_site.h"
#include "testing/in_process_server.h"
#include "testing/memory_canvas.h"

namespace bench {

namespace {

struct ControlUnderTest {
    const char* name;
    const wchar_t* file;
    CLSID clsid;
    const char* registration = nullptr;  // the command that registers it, when it needs one
};

const ControlUnderTest kMinimal{"minimal", L"bench_minimal_object.dll", CLSID_BenchMinimalObject};
const ControlUnderTest kControls[] = {
    {"Snapview", L"Snapview.dll", {0x9b0e22c4, 0x97ec, 0x11d1, {0xaa, 0xd7, 0x00, 0xc0, 0x4f, 0xad, 0x1e, 0xad}},
     "SnapviewRegister.exe /register Snapview.dll"},
    {"Gleaner", L"Gleaner.dll", {0xa33896f2, 0xb98f, 0x11d1, {0xab, 0x08, 0x00, 0xc0, 0x4f, 0xad, 0x1e, 0xad}}},
    {"Meterix", L"Meterix.dll", {0xfb529b30, 0xa1bf, 0x11d1, {0xaa, 0xec, 0x00, 0xc0, 0x4f, 0xad, 0x1e, 0xad}}},
};

// One cycle; false (and why) at the first step the object refuses.
bool Cycle(IClassFactory* factory, suite::testing::FakeSite& site, HDC dc, std::string& failure) {
    IOleObject* object = nullptr;
    HRESULT made = factory->CreateInstance(nullptr, IID_IOleObject, reinterpret_cast<void**>(&object));
    if (FAILED(made)) {
        char why[40];
        std::snprintf(why, sizeof why, "CreateInstance 0x%08lX", static_cast<unsigned long>(made));
        failure = why;
        return false;
    }
    if (auto* persist = suite::testing::Query<IPersistStreamInit>(object, IID_IPersistStreamInit)) {
        persist->InitNew();
        persist->Release();
    }
    bool ok = object->SetClientSite(&site) == S_OK;
    ok = ok && SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.window, &site.position));
    if (!ok) failure = "in-place activation";
    if (auto* view = ok ? suite::testing::Query<IViewObject>(object, IID_IViewObject) : nullptr) {
        RECTL bounds{0, 0, 100, 60};
        if (FAILED(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0))) {
            failure = "Draw";
            ok = false;
        }
        view->Release();
    }
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    object->Release();
    return ok;
}

// A control's class factory, from its DLL loaded in this process; null
// (and why) when it cannot be had.
IClassFactory* LoadFactory(const ControlUnderTest& control, std::string& failure) {
    // Registered first where the control needs it (its type library
    // looked up by identity), as a container finds it registered.
    if (control.registration &&
        suite::testing::RunConsoleProgram(control.registration, "suite_bench_register.txt", 30000).exitCode != 0) {
        failure = std::string("registration failed: ") + control.registration;
        return nullptr;
    }
    suite::testing::InProcessServer server = suite::testing::LoadInProcessServer(control.file);
    IClassFactory* factory = nullptr;
    if (!server.getClassObject ||
        FAILED(server.getClassObject(control.clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
        failure = "no class factory";
        return nullptr;
    }
    return factory;
}

struct CycleMedians {
    double control = -1, minimal = -1;  // microseconds
};

// The median cycle of a control and of the minimal object, cycled in turn
// so that both see the same machine: a busy moment slows both.
CycleMedians MedianCycles(IClassFactory* control, IClassFactory* minimal, int runs, std::string& failure) {
    suite::testing::CallLog log;
    suite::testing::FakeSite site(log, suite::testing::InPlaceSiteKind::Plain);
    suite::testing::MemoryCanvas canvas(100, 60);
    std::vector<double> controlUs, minimalUs;
    // The first cycles load what the control loads once (its type
    // information, window classes); the figure is for the steady state.
    for (int i = 0; i < 3 + runs && failure.empty(); ++i) {
        for (IClassFactory* factory : {minimal, control}) {
            double ms = TimeMs([&] { Cycle(factory, site, canvas.dc, failure); });
            suite::testing::PumpMessages();
            log.Clear();
            if (i >= 3) (factory == control ? controlUs : minimalUs).push_back(ms * 1e3);
        }
    }
    if (!failure.empty()) return {};
    return {Median(controlUs), Median(minimalUs)};
}

}  // namespace

void PrintControlCycles(int runs) {
    // The clipboard viewers refuse to be made over an empty clipboard: a
    // small picture stays there for the whole section.
    suite::testing::ClipboardScope clipboard;
    suite::testing::Dib picture = suite::testing::MakeSolidDib(30, 10, RGB(0, 0, 255));
    if (!clipboard.PutDib(picture) || !clipboard.PutBitmap(picture, true))
        std::printf("control clipboard failed: no picture put there\n");
    std::string failure;
    IClassFactory* minimal = LoadFactory(kMinimal, failure);
    if (!minimal) {
        std::printf("control minimal failed: %s\n", failure.c_str());
        return;
    }
    CycleMedians alone = MedianCycles(minimal, minimal, runs, failure);
    if (alone.control < 0) {
        std::printf("control minimal failed: %s\n", failure.c_str());
        minimal->Release();
        return;
    }
    std::printf("control minimal runs %d median-us %.1f\n", runs, alone.control);
    for (const ControlUnderTest& control : kControls) {
        failure.clear();
        IClassFactory* factory = LoadFactory(control, failure);
        CycleMedians pair = factory ? MedianCycles(factory, minimal, runs, failure) : CycleMedians{};
        if (factory) factory->Release();
        if (pair.control < 0)
            std::printf("control %s failed: %s\n", control.name, failure.c_str());
        else
            std::printf("control %s runs %d median-us %.1f minimal-us %.1f ratio %.2f\n", control.name, runs,
                        pair.control, pair.minimal, pair.control / pair.minimal);
        std::fflush(stdout);
    }
    minimal->Release();
}

}  // namespace bench
