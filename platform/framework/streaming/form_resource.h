// Form resources: the form text (or a binary component image) stored as
// RCDATA under the form class's name in upper case, in the module that
// defines the class (or, failing that, the program).
#pragma once
#include <string_view>

#include "framework/classes/component.h"

// Reads the resource of instance's class into instance; raises
// EResNotFound when there is none, EReadError when it is malformed.
void ReadFormResource(TComponent* instance);
// The resource's bytes where the module holds them (valid while it is
// loaded), or false when absent.
bool FindFormResource(const TClassInfo& cls, std::string_view& text);
