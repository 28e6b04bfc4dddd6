// The type library's declarations for C++, in namespace Meterix_TLB: the
// identifiers, IProgressBarX and the enumerations. The header widl makes
// declares them at global scope, where TxDragMode's dmManual and
// dmAutomatic would meet the framework's own TDragMode values; here they
// live in the library's namespace.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <rpc.h>
#include <rpcndr.h>

#include "suite_base.h"

// Its uuid declarations belong at global scope: left out, as nothing here
// uses __uuidof.
#pragma push_macro("__CRT_UUID_DECL")
#undef __CRT_UUID_DECL
namespace Meterix_TLB {
#include "Meterix.h"
}  // namespace Meterix_TLB
#pragma pop_macro("__CRT_UUID_DECL")

