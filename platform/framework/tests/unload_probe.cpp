// A library that uses the runtime package, the way a control or a
// package does: unloading it unloads frame35.dll too.
#include "framework/framework.h"

namespace {
struct TCounter : TObject {
    int Clicks = 0;
    void Clicked(TObject*) { ++Clicks; }
};
TCounter Counter;
}  // namespace

// Makes a form with a button, an edit and a parked control and clicks
// the button through its window; returns the clicks counted. With
// leaveOpen the form stays shown with a running timer, and its window
// is given back: the package must close it when it goes.
extern "C" __declspec(dllexport) int UseFramework(int leaveOpen, HWND* formWindow) {
    Counter.Clicks = 0;
    auto form = new TForm(nullptr);
    form->SetBounds(10, 10, 200, 100);
    auto button = new TButton(form);
    button->SetParent(form);
    button->OnClick = TNotifyEvent(&Counter, &TCounter::Clicked);
    auto edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetTop(40);
    CreateParentedControl<TProgressBar>(ParkingWindow())->HandleNeeded();
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    *formWindow = form->Handle();
    if (!leaveOpen) {
        delete form;
        return Counter.Clicks;
    }
    form->Show();
    auto timer = new TTimer(form);
    timer->SetInterval(10);
    timer->OnTimer = TNotifyEvent(&Counter, &TCounter::Clicked);
    timer->SetEnabled(false);
    timer->SetEnabled(true);
    return Counter.Clicks;
}
