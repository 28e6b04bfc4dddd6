// What the package exports: its component, editor and attribute classes
// (with their type information and member functions) and the functions of
// unit Types, so that a program built against the package uses them from
// Corvane.dll. Everything else stays inside the package. The package's
// own sources, and the tests that link its units in, see the classes as
// exported; a program using Corvane.dll sees them as imported.
#pragma once

#if defined(CORVANE_UNITS)
#define CORVANE_API __declspec(dllexport)
#else
#define CORVANE_API __declspec(dllimport)
#endif
