// A window owned by a C++ object, whose messages go through the class's
// message map:
//
//   BEGIN_MSG_MAP(TThing)
//       MESSAGE_HANDLER(WM_PAINT, OnPaint)
//   END_MSG_MAP()
//
// A handler is LRESULT Handler(UINT message, WPARAM, LPARAM, BOOL& handled);
// leaving handled TRUE ends the search. Unhandled messages reach the default
// window procedure.
#pragma once
#include <windows.h>

#include "templates/tpl_trace.h"

class CMessageMap {
public:
    virtual BOOL ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result, DWORD mapId = 0) = 0;

protected:
    ~CMessageMap() = default;
};

// The window class every control window of one C++ class shares: named
// after the address of this record, so two classes never collide.
struct TplWindowClassInfo {
    UINT style;
    int backgroundColorIndex;  // system colour index; the brush is index + 1
    ATOM atom;
    char name[16];
};

class CWindowImplBase : public CMessageMap {
public:
    HWND m_hWnd = nullptr;

    // A child window of the parent covering the rectangle.
    HWND Create(HWND parent, const RECT& rect, DWORD style, DWORD exStyle,
                TplWindowClassInfo& classInfo);
    BOOL DestroyWindow();
    // Cuts the window off from this object first, so no message reaches an
    // object that is being destroyed, then destroys it.
    void DetachAndDestroy();

protected:
    ~CWindowImplBase() = default;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

template <class T>
class CWindowImpl : public CWindowImplBase {
public:
    static TplWindowClassInfo& GetWndClassInfo() {
        static TplWindowClassInfo info = {CS_HREDRAW | CS_VREDRAW, COLOR_WINDOW, 0, {}};
        return info;
    }
    HWND Create(HWND parent, const RECT& rect, DWORD style = WS_CHILD | WS_VISIBLE,
                DWORD exStyle = 0) {
        return CWindowImplBase::Create(parent, rect, style, exStyle, T::GetWndClassInfo());
    }
};

#define BEGIN_MSG_MAP(theClass)                                                          \
public:                                                                                  \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,        \
                              LRESULT& lResult, DWORD dwMsgMapID = 0) override {         \
        BOOL bHandled = TRUE;                                                            \
        /* an empty map uses none of them */                                             \
        (void)hWnd, (void)uMsg, (void)wParam, (void)lParam, (void)lResult;               \
        (void)bHandled;                                                                  \
        switch (dwMsgMapID) {                                                            \
        case 0:
#define MESSAGE_HANDLER(msg, func)                                                       \
    if (uMsg == (msg)) {                                                                 \
        bHandled = TRUE;                                                                 \
        lResult = func(uMsg, wParam, lParam, bHandled);                                  \
        if (bHandled) return TRUE;                                                       \
    }
#define CHAIN_MSG_MAP(Base)                                                              \
    if (Base::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult)) return TRUE;
#define END_MSG_MAP()                                                                    \
    break;                                                                               \
    default:                                                                             \
        ::tpl::Trace("Invalid message map ID (%i)\n", static_cast<int>(dwMsgMapID));    \
        break;                                                                           \
        }                                                                                \
        return FALSE;                                                                    \
        }
