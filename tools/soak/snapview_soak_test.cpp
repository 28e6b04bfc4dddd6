// Snapview: a control needs a picture or text on the clipboard to be made,
// and its type library registered (the ctest fixture registers it); it
// keeps nothing in a stream, and its storage is the platform's data cache.
#include <windows.h>
#include <initguid.h>

#include <gtest/gtest.h>

#include "SnapviewLibrary.h"
#include "control_cycle.h"
#include "soak_run.h"
#include "testing/clipboard.h"

TEST(ControlSoak, Snapview) {
    suite::testing::ClipboardScope clipboard;
    ASSERT_TRUE(clipboard.PutDib(suite::testing::MakeSolidDib(16, 8, RGB(0, 0, 255))));
    soak::ControlCycle cycle(L"Snapview.dll", CLSID_Snapview, true);
    soak::Row row = soak::Soak("Snapview", [&] { return cycle(); });
    row.endState = cycle.CheckEnd();
    soak::Record(row);
    soak::ExpectNoGrowth(row);
}
