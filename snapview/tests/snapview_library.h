// Loads Snapview.dll from beside the tests, as a container would, and
// creates controls through its class factory.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "SnapviewLibrary.h"
#include "testing/in_process_server.h"

namespace snapview_test {

using Library = suite::testing::InProcessServer;
using suite::testing::RefCount;

// Loaded on first use and kept for the whole test run.
const Library& Server();

// The class factory, or a failed test and null.
IClassFactory* Factory();
// CreateInstance through a fresh factory (released again).
HRESULT CreateControl(IUnknown* outer, REFIID riid, void** ppv);

// Trace lines without their source line numbers: "MODULE: message". A
// line of the wrong shape is kept whole, marked "malformed: ".
std::vector<std::string> Messages(const std::vector<std::string>& lines);

// Runs the window messages waiting for this thread.
void PumpMessages();

}  // namespace snapview_test
