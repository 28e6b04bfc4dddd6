#include "framework/system/delayed_imports.h"

#include <mmsystem.h>

#include <string>

#include "framework/system/delayed_call.h"
#include "framework/system/exceptions.h"

namespace Delayed {

FARPROC Resolve(const char* library, const char* name) {
    HMODULE module = LoadLibraryA(library);
    if (!module) throw EWin32Error(std::string("Loading ") + library, GetLastError());
    FARPROC proc = GetProcAddress(module, name);
    if (!proc) throw EWin32Error(std::string("Finding ") + name + " in " + library, GetLastError());
    return proc;
}

BOOL ChooseColorA(CHOOSECOLORA* choose) {
    FRAME_DELAYED("comdlg32.dll", ChooseColorA);
    return call(choose);
}

BOOL ChooseFontA(CHOOSEFONTA* choose) {
    FRAME_DELAYED("comdlg32.dll", ChooseFontA);
    return call(choose);
}

BOOL GetOpenFileNameA(OPENFILENAMEA* open) {
    FRAME_DELAYED("comdlg32.dll", GetOpenFileNameA);
    return call(open);
}

BOOL GetSaveFileNameA(OPENFILENAMEA* save) {
    FRAME_DELAYED("comdlg32.dll", GetSaveFileNameA);
    return call(save);
}

BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
    FRAME_DELAYED("winmm.dll", PlaySoundA);
    return call(sound, module, flags);
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    FRAME_DELAYED("comctl32.dll", InitCommonControlsEx);
    return call(init);
}

HRESULT CoCreateInstance(REFCLSID id, IUnknown* outer, DWORD context, REFIID iid, void** object) {
    FRAME_DELAYED("ole32.dll", CoCreateInstance);
    return call(id, outer, context, iid, object);
}

HRESULT OleCreateFontIndirect(FONTDESC* description, REFIID iid, void** font) {
    FRAME_DELAYED("oleaut32.dll", OleCreateFontIndirect);
    return call(description, iid, font);
}

void SysFreeString(BSTR text) {
    FRAME_DELAYED("oleaut32.dll", SysFreeString);
    call(text);
}

UINT SysStringLen(BSTR text) {
    FRAME_DELAYED("oleaut32.dll", SysStringLen);
    return call(text);
}

void VariantInit(VARIANTARG* value) {
    FRAME_DELAYED("oleaut32.dll", VariantInit);
    call(value);
}

HRESULT VariantClear(VARIANTARG* value) {
    FRAME_DELAYED("oleaut32.dll", VariantClear);
    return call(value);
}

HRESULT VariantChangeType(VARIANTARG* to, VARIANTARG* from, USHORT flags, VARTYPE type) {
    FRAME_DELAYED("oleaut32.dll", VariantChangeType);
    return call(to, from, flags, type);
}

}  // namespace Delayed
