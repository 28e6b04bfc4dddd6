// Loads Gleaner.dll the way a container does and hands out controls, with
// a bitmap on the real clipboard while they are created.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "Gleaner.h"
#include "testing/clipboard.h"

namespace gleaner_test {

using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using NoArgsFn = HRESULT(WINAPI*)();

struct GleanerServer {
    HMODULE module = nullptr;
    GetClassObjectFn getClassObject = nullptr;
    NoArgsFn canUnloadNow = nullptr;
    NoArgsFn registerServer = nullptr;
    NoArgsFn unregisterServer = nullptr;
};

// Loaded once per test program and kept, as a container keeps a server.
GleanerServer& Server();

// The object's reference count, read by an AddRef/Release pair.
ULONG RefCount(IUnknown* object);

// A fresh control (its IGleaner), created while the clipboard holds a
// solid bitmap of the given colour and size.
IGleaner* CreateGleaner(COLORREF colour = RGB(255, 0, 0), int width = 16, int height = 8);

template <class I>
I* Query(IUnknown* object, REFIID iid) {
    I* out = nullptr;
    object->QueryInterface(iid, reinterpret_cast<void**>(&out));
    return out;
}

class GleanerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace gleaner_test
