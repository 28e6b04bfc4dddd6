// Diagnostic output of the template library and of the classes built on
// it: trace lines on the debugger output and the consistency-check box.
#pragma once

namespace tpl {

// Formats into a 512-byte buffer (longer output is cut) and writes it with
// OutputDebugStringA exactly as formatted: callers supply their own "\n".
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Called when a TPL_ASSERT fails. The default writes a trace line and shows
// a modal "Assertion Failure" box with the expression, file and line.
using AssertionHandler = void (*)(const char* expression, const char* file, int line);

// Replaces the handler (null restores the box) and returns the previous one.
AssertionHandler SetAssertionHandler(AssertionHandler handler);
void AssertionFailed(const char* expression, const char* file, int line);

}  // namespace tpl

#define TPL_ASSERT(expr) \
    ((expr) ? static_cast<void>(0) : ::tpl::AssertionFailed(#expr, __FILE__, __LINE__))
#define TPL_TRACE_METHOD(name) ::tpl::Trace("%s\n", name)
