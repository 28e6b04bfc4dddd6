#include "framework/controls/control.h"

#include <windowsx.h>

#include "framework/classes/published.h"
#include "framework/controls/drag_drop.h"
#include "framework/controls/hint_window.h"
#include "framework/controls/menus.h"
#include "framework/controls/win_control.h"
#include "framework/controls/window_classes.h"

FRAME_DEFINE_ENUM_INFO(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient")
FRAME_DEFINE_ENUM_INFO(TDragMode, "dmManual", "dmAutomatic")

PTypeInfo TypeInfoFor<TCursor>::Get() {
    static const TTypeInfo info{TTypeKind::Integer, "TCursor", {}, nullptr, INT16_MIN, INT16_MAX,
                                {{"crDefault", crDefault}, {"crNone", crNone}, {"crArrow", crArrow},
                                 {"crCross", crCross}, {"crIBeam", crIBeam}, {"crSizeNESW", crSizeNESW},
                                 {"crSizeNS", crSizeNS}, {"crSizeNWSE", crSizeNWSE}, {"crSizeWE", crSizeWE},
                                 {"crUpArrow", crUpArrow}, {"crHourGlass", crHourGlass}, {"crDrag", crDrag},
                                 {"crNoDrop", crNoDrop}, {"crNo", crNo}, {"crAppStart", crAppStart},
                                 {"crHelp", crHelp}, {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll}}};
    return &info;
}

namespace {

// The drag cursor: the arrow carrying a page. 'X' black, '.' white,
// anything else transparent; the hot spot is the arrow's tip.
HCURSOR MakeDragCursor() {
    static const char* const rows[] = {
        "X",           "XX",          "X.X",         "X..X",        "X...X",
        "X....X",      "X.....X",     "X......X",    "X.......X",   "X........X",
        "X.....XXXXX", "X..X..X",     "X.X X..X",    "XX   X..X",   "X    X..X",
        "      X..X",  "       X..X", "       XXX",  "",            "       XXXXXXXXX",
        "       X.......X", "       X.......X", "       X.......X", "       X.......X",
        "       XXXXXXXXX",
    };
    BYTE andMask[32 * 4], xorMask[32 * 4];
    memset(andMask, 0xFF, sizeof andMask);
    memset(xorMask, 0, sizeof xorMask);
    for (int y = 0; y < static_cast<int>(sizeof rows / sizeof rows[0]); ++y)
        for (int x = 0; rows[y][x]; ++x) {
            BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            if (rows[y][x] == 'X' || rows[y][x] == '.') andMask[y * 4 + x / 8] &= static_cast<BYTE>(~bit);
            if (rows[y][x] == '.') xorMask[y * 4 + x / 8] |= bit;
        }
    return CreateCursor(FrameInstance(), 0, 0, 32, 32, andMask, xorMask);
}

}  // namespace

HCURSOR CursorHandle(TCursor cursor) {
    LPCSTR id = IDC_ARROW;
    switch (cursor) {
    case crNone: return nullptr;
    case crDrag: {
        static HCURSOR drag = MakeDragCursor();
        return drag;
    }
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNoDrop: case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
    }
    return LoadCursorA(nullptr, id);
}

TShiftState ShiftFromKeys(WPARAM keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

const TClassInfo& TControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TControl>::Abstract("TControl", TComponent::StaticClass(), [](auto& c) {
        c.Property("Left", &TControl::Left, &TControl::SetLeft).NoDefault();
        c.Property("Top", &TControl::Top, &TControl::SetTop).NoDefault();
        c.Property("Width", &TControl::Width, &TControl::SetWidth).NoDefault();
        c.Property("Height", &TControl::Height, &TControl::SetHeight).NoDefault();
        c.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
        c.Property("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
        c.Property("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor).Default(crDrag);
        c.Property("DragMode", &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
        c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
        c.Property("Hint", &TControl::Hint, &TControl::SetHint);
        c.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
        c.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
        c.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored(&TControl::ShowHintStored);
        c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
        c.Property("OnClick", &TControl::OnClick);
        c.Property("OnDblClick", &TControl::OnDblClick);
        c.Property("OnMouseDown", &TControl::OnMouseDown);
        c.Property("OnMouseUp", &TControl::OnMouseUp);
        c.Property("OnMouseMove", &TControl::OnMouseMove);
        c.Property("OnDragOver", &TControl::OnDragOver);
        c.Property("OnDragDrop", &TControl::OnDragDrop);
        c.Property("OnEndDrag", &TControl::OnEndDrag);
        c.Property("OnStartDrag", &TControl::OnStartDrag);
    });
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>()) {
    WindowProc = TWndMethod(this, &TControl::WndProc);
    FFont->OnChange = TNotifyEvent(this, &TControl::FontObjectChanged);
}

TControl::~TControl() {
    SetState(csDestroying, true);
    drag_detail::Forget(this);
    hint_detail::Forget(this);
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    bool sized = width != FWidth || height != FHeight;
    if (FParent && FVisible) FParent->InvalidateRect(BoundsRect());
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    BoundsChanged(sized);
}

void TControl::BoundsChanged(bool) {
    Invalidate();
    if (FParent && FAlign != alNone) FParent->AlignControls(this);
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
int TControl::ClientWidth() const { TRect r = ClientRect(); return r.right - r.left; }
int TControl::ClientHeight() const { TRect r = ClientRect(); return r.bottom - r.top; }
void TControl::SetClientWidth(int value) { SetWidth(FWidth - ClientWidth() + value); }
void TControl::SetClientHeight(int value) { SetHeight(FHeight - ClientHeight() + value); }

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    for (TWinControl* p = parent; p; p = p->Parent())
        if (p == this) throw EInvalidOperation("A control cannot be the parent of its own parent");
    if (FParent) FParent->RemoveControl(this);
    if (parent) {
        parent->InsertControl(this);
        if (FParentFont) ParentFontChanged();
        if (FParentColor) ParentColorChanged();
    }
}

void TControl::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    VisibleChanged();
}

void TControl::VisibleChanged() {
    if (FParent) {
        FParent->InvalidateRect(BoundsRect());
        if (FAlign != alNone) FParent->AlignControls(this);
    }
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    EnabledChanged();
}

void TControl::EnabledChanged() { Invalidate(); }

void TControl::SetAlign(TAlign value) {
    if (value == FAlign) return;
    FAlign = value;
    if (FParent) FParent->AlignControls(this);
}

void TControl::SetCaption(const AnsiString& value) {
    if (value == FCaption) return;
    FCaption = value;
    TextChanged();
}

void TControl::TextChanged() { Invalidate(); }

void TControl::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    FParentColor = false;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    if (value == FParentColor) return;
    FParentColor = value;
    if (value && FParent) ParentColorChanged();
}

void TControl::ParentColorChanged() { Perform(CM_PARENTCOLORCHANGED, 0, 0); }

void TControl::AdoptColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    ColorChanged();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::SetParentFont(bool value) {
    if (value == FParentFont) return;
    FParentFont = value;
    if (value && FParent) ParentFontChanged();
}

void TControl::ParentFontChanged() { Perform(CM_PARENTFONTCHANGED, 0, 0); }

void TControl::AdoptFont(const TFont* font) {
    FAdoptingFont = true;
    try {
        FFont->Assign(font);
    } catch (...) {
        FAdoptingFont = false;
        throw;
    }
    FAdoptingFont = false;
}

// A font changed from outside stops following the parent's.
void TControl::FontObjectChanged(TObject*) {
    if (!FAdoptingFont) FParentFont = false;
    FontChanged();
}

void TControl::FontChanged() { Invalidate(); }

bool TControl::ShowHint() const {
    if (FParentShowHint && FParent) return FParent->ShowHint();
    return FShowHint;
}

void TControl::SetShowHint(bool value) {
    FShowHint = value;
    FParentShowHint = false;
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (value == FPopupMenu) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = value;
    if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

bool TControl::ShowPopupMenu(TPoint client) {
    if (!FPopupMenu || !FPopupMenu->AutoPopup()) return false;
    TPoint screen = ClientToScreen(client);
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(screen.x, screen.y);
    return true;
}

void TControl::Invalidate() {
    if (FParent && FVisible) FParent->InvalidateRect(BoundsRect());
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

TPoint TControl::ClientOrigin() const {
    if (!FParent) return Point(FLeft, FTop);
    TPoint p = FParent->ClientOrigin();
    return Point(p.x + FLeft, p.y + FTop);
}

TPoint TControl::ClientToScreen(TPoint point) const {
    TPoint o = ClientOrigin();
    return Point(point.x + o.x, point.y + o.y);
}

TPoint TControl::ScreenToClient(TPoint point) const {
    TPoint o = ClientOrigin();
    return Point(point.x - o.x, point.y - o.y);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m) {
    if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) && FDragMode == dmAutomatic &&
        !HasState(csDesigning)) {
        BeginDrag(false);
        return;
    }
    Dispatch(&m);
}

void TControl::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    switch (m.Msg) {
    case CM_PARENTFONTCHANGED:
        if (FParentFont) {
            const TFont* font = m.WParam ? reinterpret_cast<const TFont*>(m.LParam) : FParent ? FParent->Font() : nullptr;
            if (font) AdoptFont(font);
        }
        return;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor) {
            if (m.WParam)
                AdoptColor(static_cast<TColor>(static_cast<int32_t>(m.LParam)));
            else if (FParent)
                AdoptColor(FParent->Color());
        }
        return;
    case WM_CONTEXTMENU:
        m.Result = ShowPopupMenu(ScreenToClient(Point(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)))) ? 1 : 0;
        return;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: case WM_MOUSEMOVE:
        break;
    default:
        TComponent::Dispatch(message);
        return;
    }
    // Mouse messages: the platform's handling first (a platform control
    // presses, selects, takes the focus), then the events.
    DefaultHandler(message);
    int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    TShiftState shift = ShiftFromKeys(m.WParam);
    if (m.Msg == WM_MOUSEMOVE)
        hint_detail::MouseOver(this);
    else
        hint_detail::Cancel();
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        FClickPressed = (FControlStyle & csClickEvents) != 0;
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        MouseDown(mbLeft, shift | ssDouble, x, y);
        OnDblClick(this);
        break;
    case WM_RBUTTONDOWN: MouseDown(mbRight, shift, x, y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, x, y); break;
    case WM_LBUTTONUP: {
        // A release only ends a press that began here: one whose press fell
        // on another control or window (this one appeared or moved under a
        // held button) is no click.
        bool pressedHere = FClickPressed;
        FClickPressed = false;
        MouseUp(mbLeft, shift, x, y);
        if (pressedHere && x >= 0 && y >= 0 && x < FWidth && y < FHeight) Click();
        break;
    }
    case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
    case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    default: break;
    }
}

void TControl::Click() { OnClick(this); }
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) { OnMouseDown(this, button, shift, x, y); }
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { OnMouseUp(this, button, shift, x, y); }
void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

void TControl::BeginDrag(bool immediate) { drag_detail::Start(this, immediate); }

void TControl::EndDrag(bool drop) {
    if (Dragging()) drag_detail::Finish(drop);
}

bool TControl::Dragging() const { return drag_detail::Source() == this; }

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = false;
    if (!OnDragOver) return;
    accept = true;
    OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) { OnDragDrop(this, source, x, y); }
void TControl::DoEndDrag(TObject* target, int x, int y) { OnEndDrag(this, target, x, y); }
void TControl::DoStartDrag() { OnStartDrag(this); }

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParent && FAlign != alNone) FParent->AlignControls();
}
