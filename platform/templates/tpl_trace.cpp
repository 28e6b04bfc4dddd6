#include "templates/tpl_trace.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace tpl {
namespace {

void ShowAssertionBox(const char* expression, const char* file, int line) {
    char text[512];
    std::snprintf(text, sizeof text, "File: %s\nLine: %d\n\nExpression: %s", file, line,
                  expression);
    MessageBoxA(nullptr, text, "Assertion Failure",
                MB_OK | MB_ICONHAND | MB_TASKMODAL | MB_SETFOREGROUND);
}

AssertionHandler g_handler = nullptr;

}  // namespace

void Trace(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    OutputDebugStringA(buffer);
}

AssertionHandler SetAssertionHandler(AssertionHandler handler) {
    AssertionHandler previous = g_handler;
    g_handler = handler;
    return previous;
}

void AssertionFailed(const char* expression, const char* file, int line) {
    Trace("Assertion failed: %s, %s(%d)\n", expression, file, line);
    if (g_handler)
        g_handler(expression, file, line);
    else
        ShowAssertionBox(expression, file, line);
}

}  // namespace tpl
