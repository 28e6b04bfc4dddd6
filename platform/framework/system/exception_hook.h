// Where an exception escaping an event handler goes: the application
// installs its handler (a message box, or its OnException event); the
// message loop then goes on. Call from inside a catch block only.
#pragma once
#include <exception>

using TExceptionHandler = void (*)(const std::exception& error);

void SetEventExceptionHandler(TExceptionHandler handler);
// Rethrows the exception being handled and passes it to the handler;
// exceptions of no known class are reported with a general message.
void HandleEventException();
