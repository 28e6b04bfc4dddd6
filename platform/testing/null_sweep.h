// The null sweep: every method of every standard interface an object
// offers, called with null for each pointer argument in turn (interface
// identifiers included). Each call must answer E_POINTER, E_INVALIDARG or
// E_NOTIMPL, or the answer its contract gives (a null that is allowed, or
// the control's own documented code), and must leave the object as it was.
// A crash ends the test program; the call named last on the error output
// is the one that crashed.
//
//   suite::testing::NullSweep sweep;
//   sweep.answers = {{"IOleObject::SetClientSite(site)", E_UNEXPECTED}};
//   sweep.fingerprint = [&] { return ControlState(control) + Title(control); };
//   EXPECT_EQ(sweep.Run(control), 142);   // the calls made
#pragma once
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "testing/fake_sinks.h"

namespace suite::testing {

// Valid values for the arguments that are not the null one.
struct NullSweepArguments {
    NullSweepArguments();
    ~NullSweepArguments();
    CallLog log;
    FakeAdviseSink adviseSink{log};
    FakePropertySink propertySink{log};
    IStream* stream = nullptr;
    IStorage* storage = nullptr;
    RECT rect{0, 0, 10, 10};
    RECTL rectl{0, 0, 10, 10};
    SIZEL size{10, 10};
    POINTL pointl{0, 0};
    FORMATETC format{CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
    STGMEDIUM medium{};
    DWORD number = 0;
    HDC dc = nullptr;  // a memory device context
    HWND window = nullptr;
    IUnknown* unknown = nullptr;  // out slot for calls whose result is not kept
};

struct NullCall {
    const IID* iid;        // the interface the call is made on
    std::string name;      // "IOleObject::GetExtent(size)": the null argument in brackets
    std::function<HRESULT(void* on, NullSweepArguments& with)> call;  // `on` is the interface
    HRESULT allowed = E_POINTER;  // what the published contract allows besides refusing
};

// The calls of the standard embedding, persistence, connection, dispatch
// and class-factory interfaces; QueryInterface is swept on each of them.
const std::vector<NullCall>& StandardNullCalls();

// What a control shows of its state through its standard interfaces: what
// it persists, whether it is dirty, its extent, its window and the sinks
// connected to each of its connection points.
std::string ControlState(IUnknown* control);

// A null interface identifier, hidden from the compiler (which may assume
// a reference is never null and drop the check that is being tested).
const IID& NullIid();

struct NullSweep {
    // The object's own answers by call name, over the usual refusals.
    std::map<std::string, HRESULT> answers;
    // Calls not made, because they crash inside the platform's own code
    // (see docs/platform.md); each must name a call of the table.
    std::set<std::string> skipped;
    // Calls of the object's own interfaces, swept like the standard ones.
    std::vector<NullCall> own;
    // The object's state, compared before and after every call; by
    // default its ControlState.
    std::function<std::string()> fingerprint;

    // Sweeps every call whose interface the object offers; returns how
    // many calls were made.
    int Run(IUnknown* object) const;
};

}  // namespace suite::testing
