// The control's identifiers, defined once for the tests.
#include <windows.h>
#include <initguid.h>

#include "SnapviewLibrary.h"
