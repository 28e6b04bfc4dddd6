// One life of an embeddable control in a container, as a form designer or
// a document gives it: made through the library's class factory, put on
// the container's site and activated in place, drawn into a memory device
// context, saved and loaded into a fresh instance, deactivated and
// released to its end. The container (the test platform's fake site),
// the canvas and the library outlive the cycles.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <string>

#include "testing/call_log.h"
#include "testing/fake_site.h"
#include "testing/in_process_server.h"
#include "testing/memory_canvas.h"

namespace soak {

class ControlCycle {
public:
    // `storage`: the control also saves into and loads from a storage, as
    // a compound document holds it, besides a stream.
    ControlCycle(const wchar_t* library, REFCLSID clsid, bool storage);

    // One cycle; false (and a failed test naming the step) when a step
    // did not succeed or the control did not end with its last Release.
    bool operator()();

    // What is still held at the end: the site's and the frame's
    // references and the library's own answer, e.g.
    // "site refs 0, frame refs 0, DllCanUnloadNow S_OK". Checked too.
    std::string CheckEnd();

private:
    bool Step(const char* step, HRESULT hr);
    bool SaveAndLoad(IUnknown* control);
    bool ThroughStream(IUnknown* control);
    bool ThroughStorage(IUnknown* control);
    // A new instance of the class with one of its interfaces, or null.
    template <class I>
    I* Fresh(REFIID iid);

    suite::testing::InProcessServer server_;
    CLSID clsid_;
    bool storage_;
    suite::testing::CallLog log_;
    suite::testing::FakeSite site_{log_, suite::testing::InPlaceSiteKind::Plain};
    suite::testing::MemoryCanvas canvas_{200, 100};
    IClassFactory* factory_ = nullptr;  // held for one cycle
};

}  // namespace soak
