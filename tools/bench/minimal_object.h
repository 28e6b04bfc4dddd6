// The benchmark's minimal in-process object (bench_minimal_object.dll):
// its class identifier, for the class factory its DllGetClassObject gives.
#pragma once
#include <windows.h>

extern "C" const CLSID CLSID_BenchMinimalObject;
