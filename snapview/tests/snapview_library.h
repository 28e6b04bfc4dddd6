// What every Snapview test stands on: the library loaded from beside the
// tests as a container loads it, controls made through its class factory,
// its trace lines, and the test platform's container and clipboard.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SnapviewLibrary.h"
#include "testing/clipboard.h"
#include "testing/debug_output.h"
#include "testing/fake_site.h"
#include "testing/fake_sinks.h"
#include "testing/in_process_server.h"

namespace snapview_test {

using Library = suite::testing::InProcessServer;
using Lines = std::vector<std::string>;
using suite::testing::CallLog;
using suite::testing::ClipboardScope;
using suite::testing::DebugOutputCapture;
using suite::testing::MakeSolidDib;
using suite::testing::PumpMessages;
using suite::testing::Query;
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


}  // namespace snapview_test
