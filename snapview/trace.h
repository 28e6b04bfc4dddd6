// Diagnostic trace: one line per interface call on the debugger output,
//   Trace <MODULE> <line>: [<group>] <message>\r\n
// so that the order in which a container drives the control can be
// watched while it runs. Each source unit names its module once:
//   SNAPVIEW_TRACE_MODULE("IOLEOBJ");
//   TRACE("TImpIOleObject::DoVerb iVerb = " << iVerb);
#pragma once
#include <sstream>
#include <string>

// The build fixes the default group's switch and level; a build with
// SNAPVIEW_TRACE_ENABLED=0 writes no lines at all.
#ifndef SNAPVIEW_TRACE_ENABLED
#define SNAPVIEW_TRACE_ENABLED 1
#endif
#ifndef SNAPVIEW_TRACE_LEVEL
#define SNAPVIEW_TRACE_LEVEL 0
#endif

namespace snapview {

struct TDiagGroup {
    unsigned char enabled : 1;
    unsigned char level : 7;
    const char* name;
};

// The default group, made on first use and gone when the library unloads.
TDiagGroup& DefaultDiagGroup();

bool TraceWanted(const TDiagGroup& group, int level);
void WriteTraceLine(const TDiagGroup& group, const char* module, int line,
                    const std::string& message);

}  // namespace snapview

#define SNAPVIEW_TRACE_MODULE(name) static const char kTraceModule[] = name

// The message is built only when the line will be written.
#define TRACE_LEVEL(level, message)                                                  \
    do {                                                                             \
        ::snapview::TDiagGroup& traceGroup_ = ::snapview::DefaultDiagGroup();       \
        if (::snapview::TraceWanted(traceGroup_, (level))) {                         \
            std::ostringstream traceText_;                                           \
            traceText_ << message;                                                   \
            ::snapview::WriteTraceLine(traceGroup_, kTraceModule, __LINE__,          \
                                       traceText_.str());                            \
        }                                                                            \
    } while (0)

#define TRACE(message) TRACE_LEVEL(0, message)
