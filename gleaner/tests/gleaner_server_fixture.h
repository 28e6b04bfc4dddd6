// Loads Gleaner.dll the way a container does and hands out controls, with
// a bitmap on the real clipboard while they are created.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "Gleaner.h"
#include "testing/clipboard.h"
#include "testing/in_process_server.h"

namespace gleaner_test {

using GleanerServer = suite::testing::InProcessServer;
using suite::testing::Query;
using suite::testing::RefCount;

// Loaded once per test program and kept, as a container keeps a server.
const GleanerServer& Server();

// A fresh control (its IGleaner), created while the clipboard holds a
// solid bitmap of the given colour and size.
IGleaner* CreateGleaner(COLORREF colour = RGB(255, 0, 0), int width = 16, int height = 8);

class GleanerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A test with one control and its IOleObject, held as a container holds
// them. Whatever is still held at the end is given back, and the control
// must end with its last Release.
class GleanerObjectTest : public GleanerTest {
protected:
    void SetUp() override;  // the control over the default bitmap
    void TearDown() override;

    // The control over a solid bitmap of this colour and size.
    void CreateControl(COLORREF colour = RGB(255, 0, 0), int width = 16, int height = 8);
    // Lets go of both, within a test to see what the control's end does.
    void EndControl();

    IGleaner* control = nullptr;
    IOleObject* object = nullptr;
};

}  // namespace gleaner_test
