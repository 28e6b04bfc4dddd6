// Focus, the tab order and the keys that move between controls.
#include <algorithm>

#include "framework/controls/win_control.h"

bool TWinControl::CanFocus() const {
    for (const TWinControl* c = this; c; c = c->FParent)
        if (!c->FVisible || !c->FEnabled) return false;
    return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    TWinControl* top = TopLevelControl();
    // A form not shown yet gives the focus to this control when it shows.
    if (top != this && !top->Showing()) {
        top->FActiveControl = this;
        return;
    }
    ::SetFocus(Handle());
}

int TWinControl::TabOrder() const {
    if (!FParent) return -1;
    auto& list = FParent->FTabList;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

// While a form is read, the tab orders arrive in the order the controls
// are listed: each control is placed by its order among those already
// read, so the list is right once all are there.
void TWinControl::SetTabOrder(int value) {
    bool loading = HasState(csLoading);
    if (loading) FLoadedTabOrder = value;
    if (!FParent) return;
    auto& list = FParent->FTabList;
    std::erase(list, this);
    size_t at = list.size();
    if (loading) {
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i]->FLoadedTabOrder > value) {
                at = i;
                break;
            }
    } else if (value >= 0) {
        at = std::min(static_cast<size_t>(value), list.size());
    }
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const {
    std::vector<TWinControl*> result;
    for (TWinControl* c : FTabList) {
        result.push_back(c);
        for (TWinControl* inner : c->TabOrderList()) result.push_back(inner);
    }
    return result;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    std::vector<TWinControl*> list = TabOrderList();
    int n = static_cast<int>(list.size());
    if (n == 0) return;
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == n && forward) start = -1;  // from outside the list: the first, or the last backwards
    for (int step = 1; step <= n; ++step) {
        TWinControl* c = list[static_cast<size_t>(((start + (forward ? step : -step)) % n + n) % n)];
        if (c == current) break;
        if ((!checkTabStop || c->FTabStop) && c->CanFocus()) {
            c->SetFocus();
            return;
        }
    }
}

void TWinControl::FocusReceived() {
    TWinControl* top = TopLevelControl();
    if (top == this)
        DoEnter();  // a control on its own, in a container's window
    else
        top->SetFocusedControl(this);
}

// Within its top-level control the next control reports the move; a
// focus leaving for another window leaves the active control as it is,
// to come back to it.
void TWinControl::FocusLost(HWND) {
    if (TopLevelControl() == this) DoExit();
}

// OnExit for the control that had the focus and for its containers the
// new one is not in, then OnEnter for the new one's containers that the
// old one was not in and for the new one.
void TWinControl::SetFocusedControl(TWinControl* control) {
    if (control == FActiveControl) return;
    TWinControl* old = FActiveControl;
    FActiveControl = control;
    for (TWinControl* c = old; c && c != this && !c->ContainsControl(control); c = c->FParent) c->DoExit();
    if (FActiveControl != control || !control) return;
    std::vector<TWinControl*> entered;
    for (TWinControl* c = control; c && c != this && !(old && c->ContainsControl(old)); c = c->FParent)
        entered.push_back(c);
    for (auto it = entered.rbegin(); it != entered.rend(); ++it) (*it)->DoEnter();
}

bool TWinControl::DialogKey(WPARAM key, TWinControl* focused) {
    if (focused && focused->Perform(CM_DIALOGKEY, key, 1)) return true;
    for (TWinControl* c : TabOrderList())
        if (c != focused && c->Perform(CM_DIALOGKEY, key, 0)) return true;
    return false;
}

// Tab and Shift+Tab move the focus, Enter and Escape go to the form's
// default and cancel buttons, unless the control wants the key itself
// (a multi-line edit).
bool TWinControl::HandleNavigationKey(TMessage& m) {
    WPARAM key = m.WParam;
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) return false;
    if (GetKeyState(VK_MENU) < 0 || GetKeyState(VK_CONTROL) < 0) return false;
    LRESULT code = Perform(WM_GETDLGCODE, key, 0);
    if (code & DLGC_WANTALLKEYS) return false;
    TWinControl* top = TopLevelControl();
    if (key == VK_TAB) {
        if (code & DLGC_WANTTAB) return false;
        top->SelectNext(this, GetKeyState(VK_SHIFT) >= 0, true);
        FSwallowChar = '\t';
        return true;
    }
    if (!top->DialogKey(key, this)) return false;
    FSwallowChar = key == VK_RETURN ? '\r' : '\x1b';
    return true;
}
