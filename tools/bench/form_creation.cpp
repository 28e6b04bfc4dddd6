#include "form_creation.h"

#include <cstdio>
#include <vector>

#include "About.h"
#include "Game.h"
#include "Main.h"
#include "measure.h"

namespace bench {

namespace {

// Each creation timed alone: the form is made from its resource as the
// program makes it, then freed outside the measurement.
template <class FormClass>
void PrintCreation(int runs) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        FormClass* form = nullptr;
        ms.push_back(TimeMs([&] { Application->CreateForm(form); }));
        delete form;
    }
    std::printf("form %s runs %d median-ms %.2f\n", FormClass::StaticClass().Name(), runs, Median(ms));
    std::fflush(stdout);
}

// The median over `runs` batches of `perBatch` steps, per step, in us.
template <class Step>
double MedianUsPerStep(int runs, int perBatch, Step step) {
    std::vector<double> us;
    for (int i = 0; i < runs; ++i)
        us.push_back(TimeMs([&] {
                         for (int j = 0; j < perBatch; ++j) step();
                     }) *
                     1e3 / perBatch);
    return Median(us);
}

void MeasureForms(int runs) {
    Application->Initialize();
    // The program's main form is made first and is not measured: the
    // forms below are made as the second and later forms of a program.
    Application->CreateFormOf(TForm::StaticClass());
    PrintCreation<TGameForm>(runs);
    PrintCreation<TMainForm>(runs);
    PrintCreation<TAboutForm>(runs);

    TGameForm* game = nullptr;
    Application->CreateForm(game);
    game->Timer1->SetEnabled(false);
    game->Show();
    Application->ProcessMessages();
    double tick = MedianUsPerStep(runs, 100, [game] {
        game->Timer1Timer(game->Timer1);
        if (game->WingedMonster1->Left() < -200) game->ResetGame();
    });
    std::printf("tick game runs %d median-us %.1f\n", runs, tick);
    HWND window = game->Handle();
    double paint = MedianUsPerStep(runs, 5, [window] {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    });
    RECT client;
    GetClientRect(window, &client);
    std::printf("paint game %ldx%ld runs %d median-us %.1f\n", client.right, client.bottom, runs, paint);
    std::fflush(stdout);
    delete game;
}

}  // namespace

void PrintFormFigures(int runs) {
    try {
        MeasureForms(runs);
    } catch (const Exception& error) {
        std::printf("form failed: %s\n", error.Message().c_str());
    }
}

}  // namespace bench
