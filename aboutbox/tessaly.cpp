// Tessaly: the game's about box as a program of its own. Its one form is
// the main form, so OK ends the program.
#include <windows.h>

#include "framework/forms/application.h"
#include "About.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // A failure to start is shown rather than left to end the process
    // abnormally, and the exit code says it failed.
    try {
        Application->Initialize();
        Application->CreateForm(AboutForm);
        Application->Run();
    } catch (const Exception& error) {
        Application->ShowException(error);
        return 1;
    }
    return 0;
}
