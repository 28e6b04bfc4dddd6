// DirectDraw can switch the display to 800 by 600 at 8 bits only inside a
// Wine virtual desktop (a plain X display offers only its own mode). A
// test that needs display modes runs itself again in a child process on
// a desktop of its own, with the no-3D renderer, and takes the child's
// exit code as its result:
//
//   TEST(Screen, Something) {
//       if (!InsideTestDesktop()) { EXPECT_EQ(RunThisTestInDesktop(), 0); return; }
//       ... the test proper, on the virtual desktop ...
//   }
#pragma once
#include <windows.h>

#include <string>

namespace surface_testing {

bool InsideTestDesktop();

// Runs the current test again in a child process on a 1024 by 768 virtual
// desktop. `missingDll` (e.g. "ddraw") names a system library that the
// program `missingIn` (by default the test itself, e.g. "Prog.exe") must
// not find, through Wine's per-program DLL settings. The exit code, or
// ~0u when it did not end within the time limit. A run that leaves the
// screen changed fails the test and has the screen put back.
DWORD RunThisTestInDesktop(const char* missingDll = nullptr, const char* missingIn = nullptr,
                           DWORD timeoutMs = 60000);

// A file beside the test program.
std::string BesideThisProgram(const char* name);

// The display mode as this process sees it (Wine reports the colour depth
// per process).
DEVMODEA CurrentMode();

}  // namespace surface_testing
