// The registry entries the runtime and containers read for the control:
// class and in-process server (apartment model), ProgID, type library,
// verbs, miscellaneous status, user-type names and toolbox bitmap.
#pragma once
#include <windows.h>

#include <string>

namespace snapview_registration {

inline constexpr wchar_t kProgId[] = L"Snapview.Control.1";
inline constexpr wchar_t kVersionIndependentProgId[] = L"Snapview.Control";

// Writes every entry for the library at this full Windows path, the type
// library it carries included. On failure nothing is left behind.
HRESULT Register(const std::wstring& libraryPath);
// Removes every entry; entries already absent are no error.
HRESULT Unregister();

}  // namespace snapview_registration
