#include "templates/window.h"

#include <cstdio>

#include "templates/com_module.h"

namespace {
const char kWindowProp[] = "TplWindowObject";
}

HWND CWindowImplBase::Create(HWND parent, const RECT& rect, DWORD style, DWORD exStyle,
                             TplWindowClassInfo& classInfo) {
    HINSTANCE instance = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&CWindowImplBase::WindowProc), &instance);
    if (!classInfo.atom) {
        std::snprintf(classInfo.name, sizeof classInfo.name, "TPL:%8.8X",
                      static_cast<unsigned>(reinterpret_cast<UINT_PTR>(&classInfo)));
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.style = classInfo.style;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(
            static_cast<INT_PTR>(classInfo.backgroundColorIndex + 1));
        wc.lpszClassName = classInfo.name;
        classInfo.atom = RegisterClassExA(&wc);
        // Another copy of this module may have registered it already.
        if (!classInfo.atom && GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
            classInfo.atom = static_cast<ATOM>(GetClassInfoExA(instance, classInfo.name, &wc));
        if (!classInfo.atom) return nullptr;
        tpl::CurrentModule().AddWindowClass(classInfo.name, &classInfo.atom, instance);
    }
    return CreateWindowExA(exStyle, classInfo.name, nullptr, style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                           instance, this);
}

BOOL CWindowImplBase::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWindowImplBase::DetachAndDestroy() {
    HWND window = m_hWnd;
    if (!window) return;
    RemovePropA(window, kWindowProp);
    m_hWnd = nullptr;
    ::DestroyWindow(window);
}

LRESULT CALLBACK CWindowImplBase::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = static_cast<CWindowImplBase*>(GetPropA(window, kWindowProp));
    if (message == WM_NCCREATE) {
        self = static_cast<CWindowImplBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetPropA(window, kWindowProp, self);
        self->m_hWnd = window;
    }
    LRESULT result = 0;
    if (self && self->ProcessWindowMessage(window, message, wParam, lParam, result, 0))
        return result;
    if (message == WM_NCDESTROY && self) {
        RemovePropA(window, kWindowProp);
        self->m_hWnd = nullptr;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
