#include "minimal_object.h"

// {5C7A3E1B-2D4F-4B8A-9E61-0F3B7C2D9A14}
extern "C" const CLSID CLSID_BenchMinimalObject = {0x5c7a3e1b, 0x2d4f, 0x4b8a,
                                                   {0x9e, 0x61, 0x0f, 0x3b, 0x7c, 0x2d, 0x9a, 0x14}};
