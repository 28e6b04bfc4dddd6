// Builds components from a component tree (read by either codec):
// properties, dotted sub-properties, defined (binary and string-list)
// values, event bindings to the root's published handlers, child
// components by registered class, and references to sibling components,
// resolved once all exist. Any fault raises EReadError naming where
// (the line of form text, the offset in an image) and the item; the root
// is then left as it was: the components made are freed and every value
// it or its sub-objects had is put back.
#pragma once
#include "framework/classes/component.h"
#include "framework/streaming/component_tree.h"

// Reads tree into root, whose class must be the one the tree names. The
// tree's binary values are handed to the objects that read them, so a
// tree is read once.
void ReadComponentTree(TComponent* root, TFormNode& tree, const TFormSource& source);
// Parses form text and reads it into root.
void ReadFormText(TComponent* root, std::string_view text, const AnsiString& resourceName);
