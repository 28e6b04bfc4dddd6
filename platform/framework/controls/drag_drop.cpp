#include "framework/controls/drag_drop.h"

#include <windowsx.h>

#include <cstdlib>

#include "framework/controls/win_control.h"

namespace drag_detail {
namespace {

struct TDragOperation {
    TControl* Source = nullptr;
    HWND Capture = nullptr;
    POINT StartPos{};
    bool Started = false;
    TControl* Target = nullptr;
    bool Accepted = false;
    TPoint TargetPos{};  // the pointer in the target's client coordinates
};

TDragOperation* Current = nullptr;

void Leave(TControl* target, TControl* source, TPoint at) {
    bool ignored = false;
    target->DragOver(source, at.x, at.y, dsDragLeave, ignored);
}

void MoveTo(POINT screen) {
    TDragOperation& op = *Current;
    TControl* target = FindControlAt(screen);
    TDragState state = dsDragMove;
    if (target != op.Target) {
        TControl* old = op.Target;
        op.Target = nullptr;
        if (old) Leave(old, op.Source, op.TargetPos);
        if (!Current) return;  // a handler ended the drag
        op.Target = target;
        state = dsDragEnter;
    }
    op.Accepted = false;
    if (target) {
        op.TargetPos = target->ScreenToClient(screen);
        bool accept = false;
        target->DragOver(op.Source, op.TargetPos.x, op.TargetPos.y, state, accept);
        if (!Current) return;
        op.Accepted = accept;
    }
    SetCursor(CursorHandle(op.Accepted ? op.Source->DragCursor() : crNoDrop));
}

void BeginMoving() {
    Current->Started = true;
    Current->Source->DoStartDrag();
    if (!Current) return;
    POINT p;
    GetCursorPos(&p);
    MoveTo(p);
}

}  // namespace

TControl* Source() { return Current && Current->Started ? Current->Source : nullptr; }

void Start(TControl* source, bool immediate) {
    if (Current) return;
    HWND capture = nullptr;
    if (auto win = ObjectAs<TWinControl>(source))
        capture = win->Handle();
    else if (source->Parent())
        capture = source->Parent()->Handle();
    if (!capture) throw EInvalidOperation("Control '" + source->Name() + "' cannot be dragged without a parent");
    Current = new TDragOperation;
    Current->Source = source;
    Current->Capture = capture;
    GetCursorPos(&Current->StartPos);
    SetCapture(capture);
    if (immediate) BeginMoving();
}

void Finish(bool drop) {
    if (!Current) return;
    TDragOperation op = *Current;
    delete Current;
    Current = nullptr;
    if (GetCapture() == op.Capture) ReleaseCapture();
    SetCursor(CursorHandle(crDefault));
    if (!op.Started) return;
    TControl* dropTarget = drop && op.Accepted ? op.Target : nullptr;
    if (op.Target && !dropTarget) Leave(op.Target, op.Source, op.TargetPos);
    // The source hears of the end even when the drop's handler fails.
    auto tellSource = [&op, dropTarget] {
        if (op.Source)
            op.Source->DoEndDrag(dropTarget, dropTarget ? op.TargetPos.x : 0, dropTarget ? op.TargetPos.y : 0);
    };
    try {
        if (dropTarget) dropTarget->DragDrop(op.Source, op.TargetPos.x, op.TargetPos.y);
    } catch (...) {
        tellSource();
        throw;
    }
    tellSource();
}

bool HandleMouse(HWND window, TMessage& m) {
    if (!Current || window != Current->Capture) return false;
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        POINT p;
        GetCursorPos(&p);
        if (Current->Started) {
            MoveTo(p);
        } else if (std::abs(p.x - Current->StartPos.x) >= GetSystemMetrics(SM_CXDRAG) ||
                   std::abs(p.y - Current->StartPos.y) >= GetSystemMetrics(SM_CYDRAG)) {
            BeginMoving();
        }
        return true;
    }
    case WM_LBUTTONUP: Finish(true); return true;
    case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: Finish(false); return true;
    case WM_LBUTTONDOWN: case WM_RBUTTONUP: case WM_MBUTTONUP: case WM_LBUTTONDBLCLK: return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(m.LParam) != Current->Capture) Finish(false);
        return false;
    default: return false;
    }
}

bool HandleKey(WPARAM key) {
    if (!Current || key != VK_ESCAPE) return false;
    Finish(false);
    return true;
}

void Forget(TControl* control) {
    if (!Current) return;
    if (Current->Source == control) {
        Current->Source = nullptr;
        Current->Target = nullptr;
        Finish(false);
    } else if (Current->Target == control) {
        Current->Target = nullptr;
        Current->Accepted = false;
    }
}

}  // namespace drag_detail
