// Makes the component tree of a component and (optionally) the
// components it holds, for either codec: values equal to their stream
// default, or to the ancestor's when there is one, are left out, as are
// unset references and unbound events; events are written by handler
// name.
#pragma once
#include "framework/classes/component.h"
#include "framework/streaming/component_tree.h"

struct TWriteOptions {
    // The components inside (a form's), as GetChildren gives them.
    bool Children = true;
    // Write only what differs from this component (of the same or an
    // ancestor class); its children are matched by name. Without one,
    // what differs from the stream defaults.
    TComponent* Ancestor = nullptr;
};

std::unique_ptr<TFormNode> WriteComponentTree(TComponent* root, const TWriteOptions& options = {});
// The form text of a component and the components it holds.
AnsiString WriteFormText(TComponent* root);
