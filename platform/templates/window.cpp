#include "templates/window.h"

#include <cstdio>

#include "templates/com_module.h"

namespace {
// Each window of a template class carries its object in the class's extra
// window bytes: reading them is a plain memory read, where a window
// property is a round trip to the window server under Wine (29 us, on
// every message).
constexpr int kObjectSlot = 0;

CWindowImplBase* WindowObject(HWND window) {
    return reinterpret_cast<CWindowImplBase*>(GetWindowLongPtrA(window, kObjectSlot));
}
void SetWindowObject(HWND window, CWindowImplBase* object) {
    SetWindowLongPtrA(window, kObjectSlot, reinterpret_cast<LONG_PTR>(object));
}
}  // namespace

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
        wc.cbWndExtra = sizeof(CWindowImplBase*);
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
    SetWindowObject(window, nullptr);
    m_hWnd = nullptr;
    ::DestroyWindow(window);
}

LRESULT CALLBACK CWindowImplBase::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    CWindowImplBase* self = WindowObject(window);
    if (message == WM_NCCREATE) {
        self = static_cast<CWindowImplBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowObject(window, self);
        self->m_hWnd = window;
    }
    LRESULT result = 0;
    if (self && self->ProcessWindowMessage(window, message, wParam, lParam, result, 0))
        return result;
    if (message == WM_NCDESTROY && self) {
        SetWindowObject(window, nullptr);
        self->m_hWnd = nullptr;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
