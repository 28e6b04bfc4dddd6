// Sees calls that this program makes to a system function, and lets them
// go on to the system. It rewrites the program's own import entry, so it
// sees calls from code linked into the test program (the component), not
// calls the system makes internally.
//
//   ImportSlotPatch beeps("user32.dll", "MessageBeep", reinterpret_cast<void*>(CountingBeep));
#pragma once
#include <windows.h>

namespace surface_testing {

// The import slot of `function` from `module` in the main program, or null.
void** FindImportSlot(const char* module, const char* function);

class ImportSlotPatch {
public:
    ImportSlotPatch(const char* module, const char* function, void* replacement);
    ~ImportSlotPatch();
    ImportSlotPatch(const ImportSlotPatch&) = delete;
    ImportSlotPatch& operator=(const ImportSlotPatch&) = delete;

    bool Active() const { return slot_ != nullptr; }
    void* Original() const { return original_; }

private:
    void Write(void* value);
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

}  // namespace surface_testing
