#include "trace.h"

#include <windows.h>

namespace snapview {

TDiagGroup& DefaultDiagGroup() {
    static TDiagGroup group{SNAPVIEW_TRACE_ENABLED, SNAPVIEW_TRACE_LEVEL, "Def"};
    return group;
}

bool TraceWanted(const TDiagGroup& group, int level) {
    return group.enabled && level <= group.level;
}

void WriteTraceLine(const TDiagGroup& group, const char* module, int line,
                    const std::string& message) {
    std::ostringstream text;
    text << "Trace " << module << ' ' << line << ": [" << group.name << "] " << message
         << "\r\n";
    // One call per line: a listener must never see two lines merged.
    OutputDebugStringA(text.str().c_str());
}

}  // namespace snapview
