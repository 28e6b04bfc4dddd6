// The platform's clipboard as the designer uses it: components travel as
// their form text in CF_UNICODETEXT, so they paste into another form or
// into a text editor alike.
#pragma once
#include "framework/framework.h"

// Raises EInvalidOperation when the clipboard cannot be opened or set.
void PutFormTextOnClipboard(const AnsiString& text);
// "" when the clipboard holds no text.
AnsiString GetTextFromClipboard();
