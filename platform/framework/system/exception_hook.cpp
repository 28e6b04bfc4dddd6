#include "framework/system/exception_hook.h"

#include <windows.h>

#include "framework/system/sysutils.h"

static TExceptionHandler Handler = nullptr;

void SetEventExceptionHandler(TExceptionHandler handler) { Handler = handler; }

static void Report(const std::exception& error) {
    if (Handler)
        Handler(error);
    else
        MessageBoxA(nullptr, error.what(), "Error", MB_OK | MB_ICONSTOP);
}

void HandleEventException() {
    try {
        throw;
    } catch (const std::exception& error) {
        Report(error);
    } catch (...) {
        Report(Exception("Unknown exception in an event handler"));
    }
}
