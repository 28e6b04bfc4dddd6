// System functions that only a rare path of the framework needs (the
// colour, font and file dialogs, sounds, transparent bitmaps, common controls,
// hosted OLE controls and their fonts), reached through their library
// loaded on first call instead of imported: every imported library is
// loaded, with all it imports in turn, at each start of every program on
// the framework (the dialog library alone brings in the shell's). Each
// takes and returns what the function of the same name does; a library
// or function that cannot be had raises EWin32Error.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <olectl.h>

namespace Delayed {

BOOL ChooseColorA(CHOOSECOLORA* choose);
BOOL ChooseFontA(CHOOSEFONTA* choose);
BOOL GetOpenFileNameA(OPENFILENAMEA* open);
BOOL GetSaveFileNameA(OPENFILENAMEA* save);
BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
HRESULT CoCreateInstance(REFCLSID id, IUnknown* outer, DWORD context, REFIID iid, void** object);
HRESULT OleCreateFontIndirect(FONTDESC* description, REFIID iid, void** font);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
void VariantInit(VARIANTARG* value);
HRESULT VariantClear(VARIANTARG* value);
HRESULT VariantChangeType(VARIANTARG* to, VARIANTARG* from, USHORT flags, VARTYPE type);

}  // namespace Delayed
