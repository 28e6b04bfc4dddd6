// LumoraProject: the demo of the full-screen surface component.
#include <windows.h>

#include "Lumora.h"
#include "framework/forms/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->CreateForm(Form1);
        Application->Run();
    } catch (const Exception& error) {
        // Shown to the user, and the exit code says the start failed.
        Application->ShowException(error);
        return 1;
    }
    return 0;
}
