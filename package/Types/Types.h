// Unit Types: the framework's own type-information records of a few basic
// types, for registrations that need one of a type that is no class (a
// property editor for TColor properties). Each function answers the same
// pointer on every call.
#pragma once
#include "Corvane/Exports.h"
#include "framework/framework.h"

CORVANE_API PTypeInfo GetIntTypeInfo();
CORVANE_API PTypeInfo GetSingleTypeInfo();
CORVANE_API PTypeInfo GetDoubleTypeInfo();
CORVANE_API PTypeInfo GetStringTypeInfo();
CORVANE_API PTypeInfo GetColorTypeInfo();
