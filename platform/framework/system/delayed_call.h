// A system function reached through its library, loaded at the first call
// instead of imported: every imported library is loaded, with all it
// imports in turn, at each start of every program that links it.
#pragma once
#include <windows.h>

namespace Delayed {

// The address of `name` in `library`, loading the library if it is not
// yet; raises EWin32Error when either cannot be had. The library stays
// loaded: its functions are kept in statics.
FARPROC Resolve(const char* library, const char* name);

// One resolved function per cache: the function's own type and name pick it.
template <class F>
F* Find(const char* library, const char* name, F*& cache) {
    // Through the one function pointer type that stands for any.
    if (!cache) cache = reinterpret_cast<F*>(reinterpret_cast<void (*)()>(Resolve(library, name)));
    return cache;
}

}  // namespace Delayed

// Declares `call`, the system function of that name, loaded on first use.
#define FRAME_DELAYED(library, function)            \
    static decltype(&::function) cached = nullptr; \
    auto call = Delayed::Find(library, #function, cached)
