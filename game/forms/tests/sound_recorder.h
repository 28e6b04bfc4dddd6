// Records every sound the program asks for (and still plays it), with
// the exact arguments given to the platform.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct SoundRequest {
    std::string name;
    HMODULE module;
    DWORD flags;
    bool operator==(const SoundRequest&) const = default;
};

class SoundRecorder {
public:
    SoundRecorder();
    ~SoundRecorder();
    std::vector<SoundRequest> Take();
    // Just the file names, in order, then forgets them.
    std::vector<std::string> TakeNames();
};
