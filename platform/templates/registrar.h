// Runs a registration script against the registry, in register or
// unregister mode. The script names keys under a root, each optionally with
// a default value, named values ("val Name = s 'text'") and sub-keys:
//
//   HKCR
//   {
//       NoRemove CLSID
//       {
//           ForceRemove {...} = s 'My Class'
//           {
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'
//               }
//           }
//       }
//   }
//
// ForceRemove: the key's subtree is deleted before it is written, and again
// on unregistration. NoRemove: never deleted on unregistration. Delete: the
// key is deleted on registration. %NAME% is replaced by AddReplacement's
// value, %% by one %. Values are 's' (string) or 'd' (number, a DWORD).
#pragma once
#include <windows.h>

#include <map>
#include <string>

namespace tpl {

class Registrar {
public:
    void AddReplacement(const std::wstring& name, const std::wstring& value);

    HRESULT StringRegister(const std::wstring& script);
    HRESULT StringUnregister(const std::wstring& script);
    // The resource holds the script as 8-bit text.
    HRESULT ResourceRegister(HINSTANCE module, UINT id, const wchar_t* type);
    HRESULT ResourceUnregister(HINSTANCE module, UINT id, const wchar_t* type);

private:
    HRESULT Run(const std::wstring& script, bool doRegister);
    HRESULT RunResource(HINSTANCE module, UINT id, const wchar_t* type, bool doRegister);
    std::map<std::wstring, std::wstring> replacements_;
};

}  // namespace tpl
