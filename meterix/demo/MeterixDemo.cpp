// MeterixDemo: a framework form hosting the progress bar control. It
// registers nothing: without the control registered it says what to run.
#include <windows.h>
#include <ole2.h>

#include "MeterixDemoForm.h"

namespace {

const char kNotRegistered[] =
    "The Meterix progress bar control is not registered.\n\n"
    "Register it with the platform's regsvr32, from the folder of this program:\n"
    "    regsvr32 Meterix.dll\n"
    "(a 64-bit program needs the 64-bit Meterix.dll and regsvr32), then start MeterixDemo again.";

bool ControlRegistered() {
    LPOLESTR progId = nullptr;
    if (FAILED(ProgIDFromCLSID(Meterix_TLB::CLSID_ProgressBarX, &progId))) return false;
    CoTaskMemFree(progId);
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (FAILED(OleInitialize(nullptr))) return 3;
    int exitCode = 0;
    if (!ControlRegistered()) {
        MessageBoxA(nullptr, kNotRegistered, "Meterix demo", MB_OK | MB_ICONINFORMATION);
        exitCode = 2;
    } else {
        try {
            Application->Initialize();
            Application->CreateForm(DemoForm);
            Application->Run();
        } catch (const Exception& error) {
            Application->ShowException(error);
            exitCode = 1;
        }
    }
    OleUninitialize();
    return exitCode;
}
