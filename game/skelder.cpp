// The game's entry point. Until the main menu exists the game form is the
// first and main form: the program ends when all four monsters have landed.
#include <windows.h>

#include "Game.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->CreateForm(GameForm);
        Application->Run();
    } catch (const Exception& error) {
        Application->ShowException(error);
    }
    return 0;
}
