// What every fake container object shares: a reference count that starts
// at 0 (the test owns the object on its stack, so `refs` is exactly what
// the code under test still holds), a call log, and readable interface
// names for the log.
//
//   class FakeThing : public suite::testing::FakeObject<IThing> { ... };
//   EXPECT_EQ(thing.refs, 0);   // everything handed over was given back
#pragma once
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>

#include "testing/call_log.h"

namespace suite::testing {

// "IOleInPlaceSite" for the interfaces containers and controls trade in,
// the identifier in braces for any other.
std::string InterfaceName(REFIID iid);

template <class... Interfaces>
class FakeObject : public Interfaces... {
public:
    explicit FakeObject(CallLog& log) : log(log) {}
    virtual ~FakeObject() = default;
    FakeObject(const FakeObject&) = delete;
    FakeObject& operator=(const FakeObject&) = delete;

    LONG refs = 0;

    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
    STDMETHODIMP_(ULONG) Release() override {
        // A release the code under test never had a reference for.
        if (refs == 0) ADD_FAILURE() << "released more often than referenced";
        return static_cast<ULONG>(--refs);
    }

protected:
    // Hands out `self` with a reference, as QueryInterface does.
    HRESULT Give(IUnknown* self, void** out) {
        *out = self;
        self->AddRef();
        return S_OK;
    }
    HRESULT Logged(const std::string& call, HRESULT hr = S_OK) {
        log.Add(call);
        return hr;
    }
    HRESULT Unexpected(const std::string& call, HRESULT hr = E_NOTIMPL) {
        log.Unexpected(call);
        return hr;
    }

    CallLog& log;
};

}  // namespace suite::testing
