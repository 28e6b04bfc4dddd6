// Meterix: the framework's progress bar inside the control; saved through
// a stream and a storage.
#include <windows.h>

#include <gtest/gtest.h>

#include "Meterix_TLB.h"
#include "control_cycle.h"
#include "soak_run.h"

TEST(ControlSoak, Meterix) {
    soak::ControlCycle cycle(L"Meterix.dll", Meterix_TLB::CLSID_ProgressBarX, true);
    soak::Row row = soak::Soak("Meterix", [&] { return cycle(); });
    row.endState = cycle.CheckEnd();
    soak::Record(row);
    soak::ExpectNoGrowth(row);
}
