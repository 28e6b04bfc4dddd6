/* What the headers generated from IDL expect of suite_base.idl: the
   platform's own declarations of the same types and interfaces. */
#ifndef SUITE_BASE_H
#define SUITE_BASE_H
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#endif
