// The game's entry point: the main menu first (it becomes the main form),
// then the game and about forms, hidden until the menu shows them.
#include <windows.h>

#include "About.h"
#include "Game.h"
#include "Main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->CreateForm(MainForm);
        Application->CreateForm(GameForm);
        Application->CreateForm(AboutForm);
        Application->Run();
    } catch (const Exception& error) {
        Application->ShowException(error);
        return 1;  // shown to the user, and reported to whoever started us
    }
    return 0;
}
