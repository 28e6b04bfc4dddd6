// Tessaly: the game's about box as a program of its own. Its one form is
// the main form, so OK ends the program.
#include <windows.h>

#include "framework/forms/application.h"
#include "game/forms/about_form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Application->Initialize();
    Application->CreateForm(AboutForm);
    Application->Run();
    return 0;
}
