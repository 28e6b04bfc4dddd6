// Prints how long the game's main steps take: creating the game form from
// its resource, one tick of the game, and one full paint of the form.
#include <windows.h>

#include <cstdio>
#include <functional>

#include "Game.h"

namespace {

double MicrosecondsPer(int runs, const std::function<void()>& step) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < runs; ++i) step();
    QueryPerformanceCounter(&end);
    return (end.QuadPart - start.QuadPart) * 1e6 / frequency.QuadPart / runs;
}

}  // namespace

int Measure() {
    Application->Initialize();
    TForm* menu = Application->CreateFormOf(TForm::StaticClass());  // the game form is not the main form
    (void)menu;

    double create = MicrosecondsPer(20, [] {
        TGameForm* form = nullptr;
        Application->CreateForm(form);
        delete form;
    });
    std::printf("create game form from TGAMEFORM: %10.1f us\n", create);

    Application->CreateForm(GameForm);
    GameForm->Timer1->SetEnabled(false);
    GameForm->Show();
    Application->ProcessMessages();

    double tick = MicrosecondsPer(1000, [] {
        GameForm->Timer1Timer(GameForm->Timer1);
        if (GameForm->WingedMonster1->Left() < -200) GameForm->ResetGame();
    });
    std::printf("one game tick (four monsters move):  %10.1f us\n", tick);

    HWND window = GameForm->Handle();
    double paint = MicrosecondsPer(100, [window] {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    });
    RECT r;
    GetClientRect(window, &r);
    std::printf("one full paint (%ld x %ld):       %10.1f us\n", r.right, r.bottom, paint);
    return 0;
}

int main() {
    // A failure is reported, not left to abort the program. Under Wine
    // without an X display the first window fails with "Class does not
    // exist" (1411); tools/wine-run.sh always provides a display.
    try {
        return Measure();
    } catch (const Exception& e) {
        std::fprintf(stderr, "skelder_benchmark: %s\n", e.Message().c_str());
        return 1;
    }
}
