#include "Clock1/ClockFace.h"

void DrawClockShape(TCanvas& canvas, TShapeType shape, int width, int height) {
    int side = width < height ? width : height;
    int left = width / 2 - side / 2;
    int right = width / 2 + side / 2;
    switch (shape) {
    case stRectangle: canvas.Rectangle(0, 0, width, height); break;
    case stSquare: canvas.Rectangle(left, 0, right, side); break;
    case stRoundRect: canvas.RoundRect(0, 0, width, height, width - 100, height); break;
    case stRoundSquare: break;  // the background alone
    case stEllipse: canvas.Ellipse(0, 0, width, height); break;
    case stCircle: canvas.Ellipse(left, 0, right, side); break;
    }
}

void DrawClockTime(TCanvas& canvas, TFont* font, int width, int height) {
    AnsiString text = TimeToStr(Time());
    canvas.SetFont(font);
    int x = width / 2 - canvas.TextWidth(text) / 2;
    int y = height / 2 - canvas.TextHeight(text) / 2;
    canvas.TextOut(x, y, text);
}

void SwitchClockTimer(HWND window, int timerId, bool on) {
    auto id = static_cast<UINT_PTR>(timerId);
    if (on) SetTimer(window, id, ClockInterval, nullptr);
    else KillTimer(window, id);
}
