// CorvaneDemo: loads the component package as a form designer does and
// shows a form with every one of its components at work, read from the
// demo's own form resource by their registered class names.
#include <windows.h>

#include "DemoForm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle("Corvane Components");
        HMODULE package = LoadPackage("Corvane.dll");
        Application->CreateForm(DemoForm);
        Application->Run();
        // Run freed the forms, and with them every object of the package.
        UnloadPackage(package);
    } catch (const Exception& error) {
        Application->ShowException(error);
        return 1;
    }
    return 0;
}
