// Writes a component and the components it holds as form text: values
// equal to their stream default, empty strings, unset references and
// unbound events are left out; events are written by handler name.
#pragma once
#include "framework/classes/component.h"

AnsiString WriteFormText(TComponent* root);
