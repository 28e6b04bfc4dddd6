// The call-result diagnostic of generated interface wrappers: a failing
// HRESULT (or a failed consistency check) is described with the call, the
// source and the line, and shown in a task-modal Yes/No/Cancel box unless
// boxes are off. Yes (or boxes off) raises EOleError with the text, No
// goes on (the call's result is returned), Cancel breaks into a debugger
// when one is attached and otherwise goes on as No: nothing ends the
// program. The box asks the framework's dialog answerer first
// (forms/dialog_seam.h), so tests answer it without a person.
#pragma once
#include <windows.h>

#include "framework/framework.h"

namespace bridge {

// On by default.
void SetDiagnosticBoxes(bool on);
bool DiagnosticBoxes();

// "'call': message @ source/line" when the platform has a text for hr,
// otherwise "(call) Error: hex (decimal) @ source/line".
AnsiString HResultFailureText(HRESULT hr, const char* call, const char* source, int line);

// hr when it succeeded or the box was answered No or Cancel; raises
// otherwise (captioned "HRESULT Failure").
HRESULT OleCheck(HRESULT hr, const char* call, const char* source, int line);
// Nothing when ok; otherwise "text @ source/line" in the same box,
// captioned "Assertion Failure".
void OleAssert(bool ok, const char* text, const char* source, int line);

}  // namespace bridge
