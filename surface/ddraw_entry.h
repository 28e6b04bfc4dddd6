// Where the component gets its DirectDraw object from. DirectDrawCreate is
// looked up in ddraw.dll at run time, so a program using the component
// still starts on a machine without DirectDraw and can say so itself.
#pragma once
#include <windows.h>
#include <ddraw.h>

using DirectDrawCreateFunction = HRESULT(WINAPI*)(GUID* driver, IDirectDraw** object, IUnknown* outer);

// DirectDrawCreate of ddraw.dll, or null when the library or the entry is
// missing. The library stays loaded for the life of the process: objects
// made from it may outlive any one component.
DirectDrawCreateFunction FindDirectDrawCreate();

// Makes FindDirectDrawCreate answer `entry` instead (null: back to
// ddraw.dll). For tests that need the platform to fail in a way this
// platform never fails by itself.
void OverrideDirectDrawCreate(DirectDrawCreateFunction entry);
