#pragma once
#include <vector>

#include "fuzzing/target.h"

namespace suite::fuzzing {

// Form text, component images, bitmap and icon files.
std::vector<Target> FrameworkTargets();
// Gleaner's stream, storage and property bag, Snapview's storage,
// Meterix's stream, storage and property bag.
std::vector<Target> ControlTargets();
// The template library's registrar scripts.
std::vector<Target> RegistrarTargets();

}  // namespace suite::fuzzing
