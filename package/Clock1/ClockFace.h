// What both generations of the clock draw: one of the six shapes over the
// control's whole size, and the time of day in its middle. W and H are the
// control's Width and Height; halves truncate toward zero.
#pragma once
#include "framework/framework.h"

// stRectangle: the whole control; stSquare and stCircle: a square (or the
// circle in it) as high as the smaller side, centred across the width and
// touching the top; stRoundRect: corners W - 100 wide and H high;
// stEllipse: the whole control; stRoundSquare (and any other value):
// nothing, the background alone shows.
void DrawClockShape(TCanvas& canvas, TShapeType shape, int width, int height);

// The current time of day (TimeToStr) in font, centred on the control with
// the canvas's brush behind the glyphs; a text wider than the control
// starts left of it and is clipped.
void DrawClockTime(TCanvas& canvas, TFont* font, int width, int height);

// The clock's window timer: ticks every 50 ms as WM_TIMER messages.
constexpr UINT ClockInterval = 50;

// Starts (again) or stops the timer of that identifier on the window; the
// platform's answer is not looked at.
void SwitchClockTimer(HWND window, int timerId, bool on);
