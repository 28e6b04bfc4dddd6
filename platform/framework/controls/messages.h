// Messages as the framework's controls see them: the platform's message
// in a record handlers fill in, the framework's own message numbers, and
// the window method a host can put in front of a control's handling.
#pragma once
#include <windows.h>

#include "framework/classes/events.h"

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

// Where every message of a control goes first (TControl::WindowProc).
using TWndMethod = TEvent<TMessage&>;

// The framework's own messages between controls (CM_) and the
// notifications a parent hands back to the child that sent them (CN_:
// the platform's message number plus CN_BASE). A container that reflects
// notifications sends them as 0x2000 + message; adding 0x9C00 gives ours.
constexpr UINT CM_BASE = 0xB000;
// wParam 0: take the parent's font or colour. wParam 1: take the one in
// lParam (a TFont* or a TColor), as a host does for an embedded control.
// Either is ignored unless the control follows its parent's.
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 1;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 2;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 3;
// A dialog key (wParam: VK_RETURN or VK_ESCAPE) offered to every control
// of a form; a control that acts on it answers 1.
constexpr UINT CM_DIALOGKEY = CM_BASE + 4;

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

// A container's reflected notifications (0x2000 + message) as ours.
constexpr UINT OCM_BASE = 0x2000;
constexpr UINT ReflectedToFramework = CN_BASE - OCM_BASE;  // 0x9C00
