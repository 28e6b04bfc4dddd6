// Builds components from form text: properties, dotted sub-properties,
// defined (binary and string-list) values, event bindings to the root's
// published handlers, child components by registered class, and
// references to sibling components, resolved once all exist. Any fault
// raises EReadError naming the resource, the line and the item.
#pragma once
#include "framework/classes/component.h"

// Reads text into root, whose class must be the one the text names.
// The components made are owned by root; on failure they are freed again.
void ReadFormText(TComponent* root, const AnsiString& text, const AnsiString& resourceName);
