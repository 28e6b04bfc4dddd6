// How each kind of published value is held in the component tree, both
// ways, one entry per kind for every codec: integers and colours (by
// name when a constant fits), enumerations and booleans by name, sets
// as lists of names, Single and Double (TDateTime too) as floats,
// Currency exactly, strings, and handlers by the name the root publishes
// them under. References to components and owned sub-objects are no
// values: the reader and the writer deal with them.
#pragma once
#include "framework/classes/component.h"
#include "framework/streaming/component_tree.h"

struct TValueKind {
    // The value as the tree holds it; false when there is nothing to
    // write (a handler that is unbound or not one of the root's).
    bool (*ToForm)(PTypeInfo type, const TPropValue& value, const TComponent* root, TFormValue& out);
    // The tree's value as the property takes it; raises EConvertError
    // saying what was expected.
    TPropValue (*FromForm)(PTypeInfo type, const TFormValue& in, TComponent* root);
    // Whether the value is the property's stream default.
    bool (*IsDefault)(const TPropInfo& property, const TPropValue& value);
};

// Raises EPropertyError for class types, which are not values.
const TValueKind& ValueKindOf(PTypeInfo type);
