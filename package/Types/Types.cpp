#include "Types/Types.h"

PTypeInfo GetIntTypeInfo() { return TypeInfoOf<int>(); }
PTypeInfo GetSingleTypeInfo() { return TypeInfoOf<float>(); }
PTypeInfo GetDoubleTypeInfo() { return TypeInfoOf<double>(); }
PTypeInfo GetStringTypeInfo() { return TypeInfoOf<AnsiString>(); }
PTypeInfo GetColorTypeInfo() { return TypeInfoOf<TColor>(); }
