// The game's entry point: the main menu first (it becomes the main form),
// then the game and about forms, hidden until the menu shows them.
#include <windows.h>

#include "Main.h"
#include "framework/forms/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        CreateSkelderForms();
        Application->Run();
    } catch (const Exception& error) {
        Application->ShowException(error);
        return 1;  // shown to the user, and reported to whoever started us
    }
    return 0;
}
