// Error information for automation clients: a failing method describes the
// failure on the thread and answers DISP_E_EXCEPTION (or the given code).
#pragma once
#include <windows.h>
#include <ole2.h>

namespace tpl {

HRESULT ReportError(const wchar_t* description, REFIID iid, const wchar_t* source,
                    HRESULT result = DISP_E_EXCEPTION);

}  // namespace tpl
