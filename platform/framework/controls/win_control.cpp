#include "framework/controls/win_control.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/classes/published.h"
#include "framework/controls/drag_drop.h"
#include "framework/controls/graphic_control.h"
#include "framework/controls/hint_window.h"
#include "framework/controls/parking_window.h"
#include "framework/controls/window_binding.h"
#include "framework/controls/window_classes.h"
#include "framework/graphics/gdi_scope.h"
#include "framework/graphics/paint_buffer.h"
#include "framework/system/exception_hook.h"

const TClassInfo& TWinControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TWinControl>::Abstract("TWinControl", TControl::StaticClass());
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    SetState(csDestroying, true);
    while (!FControls.empty()) {
        TControl* child = FControls.back();
        RemoveControl(child);
        delete child;
    }
    DestroyHandle();
}

HWND TWinControl::Handle() {
    if (!FHandle) CreateWnd();
    return FHandle;
}

TWinControl* CreateParentedControl(const TClassInfo& controlClass, HWND parentWindow) {
    if (!controlClass.InheritsFrom(TWinControl::StaticClass()))
        throw EInvalidOperation(Format("%s is not a windowed control class", controlClass.Name()));
    auto control = static_cast<TWinControl*>(controlClass.Create(nullptr));
    control->SetParentWindow(parentWindow);
    return control;
}

void TWinControl::SetParentWindow(HWND window) {
    if (window == FParentWindow) return;
    FParentWindow = window;
    if (FHandle && !FParent) PlaceWindow();
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = FCaption;
    params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (FVisible) params.Style |= WS_VISIBLE;
    if (!FEnabled) params.Style |= WS_DISABLED;
    params.X = FLeft;
    params.Y = FTop;
    params.Width = FWidth;
    params.Height = FHeight;
    // Only the parent's window as it is: the parameters are also read to
    // measure the control, which must not make windows.
    params.WndParent = FParent ? FParent->FHandle : FParentWindow;
    params.ClassName = ClassName();
}

namespace {

// Identifiers of child windows, from 0x100 up (below are the dialog
// buttons' own), wrapping within the 16 bits a command carries.
int NextChildId() {
    static int next = 0xFF;
    next = next >= 0xFFFF ? 0x100 : next + 1;
    return next;
}

}  // namespace

void TWinControl::CreateWnd() {
    if (FParent) {
        FParent->HandleNeeded();
        if (FHandle) return;  // the parent's window made this one along with it
    }
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    FDefWndProc = RegisterFrameClass(params.ClassName.c_str(), params.BaseClassName, params.ClassStyle);
    FPlatformPaints = params.BaseClassName != nullptr;
    FPaintedOnce = false;
    // A child window gets an identifier of its own: owner-drawn lists name
    // the control that asks to be measured only by it.
    HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId())) : nullptr;
    BindNextWindow(this);
    HWND window = CreateWindowExA(params.ExStyle, params.ClassName.c_str(), params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height, params.WndParent, id,
                                  FrameInstance(), nullptr);
    BindNextWindow(nullptr);
    Win32Check(window != nullptr, "CreateWindowEx");
    FHandle = window;
    if (FParent) TakeSiblingOrder();
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
    // A hidden child's window waits until it is shown or asked for: a form
    // often carries controls it shows only now and then, and each window
    // costs a millisecond or more under Wine.
    for (TControl* child : FControls)
        if (auto win = ObjectAs<TWinControl>(child)) {
            if (win->FHandle)
                win->PlaceWindow();  // parked until this window existed
            else if (win->FVisible)
                win->HandleNeeded();
        }
    HandleCreated();
}

// A new window goes below its siblings, so windows made in the order of
// their controls stack with the first on top. One made after its later
// siblings' (a hidden control shown at last) goes just below its nearest
// earlier sibling instead, as if made in order.
void TWinControl::TakeSiblingOrder() {
    const auto& siblings = FParent->FControls;
    auto self = std::find(siblings.begin(), siblings.end(), this);
    if (self == siblings.end()) return;
    bool laterMade = std::any_of(self + 1, siblings.end(), [](TControl* c) {
        auto win = ObjectAs<TWinControl>(c);
        return win && win->FHandle;
    });
    if (!laterMade) return;
    HWND above = HWND_TOP;
    for (auto it = siblings.begin(); it != self; ++it)
        if (auto win = ObjectAs<TWinControl>(*it); win && win->FHandle) above = win->FHandle;
    SetWindowPos(FHandle, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::AddBorder(TCreateParams& params) const {
    if (Ctl3D())
        params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        params.Style |= WS_BORDER;
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    DestroyWindow(FHandle);
    FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    DestroyHandle();
    HandleNeeded();
}

// A child window goes where its control now lives: its parent's window,
// the plain window it was given, or the parking window meanwhile.
void TWinControl::PlaceWindow() {
    if (!FHandle || !(GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD)) return;
    HWND wanted = FParent ? FParent->FHandle : FParentWindow;
    if (!wanted) wanted = ParkingWindow();
    if (GetParent(FHandle) != wanted) ::SetParent(FHandle, wanted);
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::InsertControl(TControl* control) {
    FControls.push_back(control);
    control->AttachParent(this);
    if (auto win = ObjectAs<TWinControl>(control)) {
        FTabList.push_back(win);
        // One being read waits for its last property (Loaded): each change
        // to a live window is a round trip, and a window made with its
        // final bounds, caption and style needs none.
        if (win->FHandle)
            win->PlaceWindow();
        else if (FHandle && win->FVisible && !win->HasState(csLoading))
            win->HandleNeeded();
    } else {
        control->Invalidate();
    }
    if (control->Align() != alNone) AlignControls(control);
}

void TWinControl::RemoveControl(TControl* control) {
    if (control->Parent() != this) return;
    if (FMouseControl == control) FMouseControl = nullptr;
    if (FHoverControl == control) FHoverControl = nullptr;
    if (TWinControl* root = TopLevelControl(); root->FActiveControl &&
        (root->FActiveControl == control ||
         (ObjectAs<TWinControl>(control) && static_cast<TWinControl*>(control)->ContainsControl(root->FActiveControl))))
        root->FActiveControl = nullptr;
    if (!HasState(csDestroying)) InvalidateRect(control->BoundsRect());
    std::erase(FControls, control);
    control->AttachParent(nullptr);
    if (auto win = ObjectAs<TWinControl>(control)) {
        std::erase(FTabList, win);
        if (!HasState(csDestroying)) win->PlaceWindow();  // a parent that goes frees its children next
    }
    if (!HasState(csDestroying) && control->Align() != alNone) AlignControls();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TWinControl* TWinControl::TopLevelControl() {
    TWinControl* top = this;
    while (top->FParent) top = top->FParent;
    return top;
}

TControl* TWinControl::ControlAtPos(TPoint point) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        TRect r = c->BoundsRect();
        if (c->Visible() && c->Enabled() && PtInRect(&r, point)) return c;
    }
    return nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    bool sized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FHandle)
        SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (sized) AlignControls();
    if (FParent && FAlign != alNone) FParent->AlignControls(this);
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!FHandle) return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (HWND parent = GetParent(FHandle); parent && (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    bool sized = r.right - r.left != FWidth || r.bottom - r.top != FHeight;
    FLeft = r.left;
    FTop = r.top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
    if (sized) {
        AlignControls();
        Resized();
    }
}

namespace {

// The frame around the client area of a window of each style. The
// platform works it out from the system's metrics at every call, at the
// cost of a round trip to the display; the answers are kept until the
// system says its settings changed.
struct TFrameSize {
    DWORD Style, ExStyle;
    LONG Width, Height;
};
std::vector<TFrameSize> FrameSizes;

TFrameSize FrameOf(DWORD style, DWORD exStyle) {
    for (const TFrameSize& f : FrameSizes)
        if (f.Style == style && f.ExStyle == exStyle) return f;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    FrameSizes.push_back({style, exStyle, frame.right - frame.left, frame.bottom - frame.top});
    return FrameSizes.back();
}

}  // namespace

TRect TWinControl::ClientRect() const {
    if (FHandle) {
        RECT r;
        GetClientRect(FHandle, &r);
        return r;
    }
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    TFrameSize frame = FrameOf(params.Style & ~WS_CHILD, params.ExStyle);
    return Rect(0, 0, std::max(0L, FWidth - frame.Width), std::max(0L, FHeight - frame.Height));
}

TPoint TWinControl::ClientOrigin() const {
    if (FHandle) {
        POINT p{0, 0};
        ::ClientToScreen(FHandle, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetCaption(const AnsiString& value) {
    TControl::SetCaption(value);
    if (FHandle && Text() != value) SetWindowTextA(FHandle, value.c_str());
}

AnsiString TWinControl::Text() const {
    if (!FHandle) return FCaption;
    AnsiString text(static_cast<size_t>(GetWindowTextLengthA(FHandle)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(FHandle, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A window not on the screen (its own or an ancestor's hidden) is left
// alone: showing it invalidates all of it anyway, and each invalidation
// is a round trip to the window server (35 us under Wine), hundreds of
// them while a form is read and set up.
void TWinControl::Invalidate() {
    if (FHandle && IsWindowVisible(FHandle)) ::InvalidateRect(FHandle, nullptr, FALSE);
}

void TWinControl::InvalidateRect(const TRect& rect) {
    if (FHandle && IsWindowVisible(FHandle)) ::InvalidateRect(FHandle, &rect, FALSE);
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

bool TWinControl::Showing() const {
    return FHandle ? IsWindowVisible(FHandle) != FALSE : false;
}

void TWinControl::VisibleChanged() {
    if (FHandle)
        ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
    else if (FVisible && FParent && FParent->FHandle)
        HandleNeeded();  // a hidden child's window, made as it first shows
    TControl::VisibleChanged();
}

void TWinControl::EnabledChanged() {
    if (FHandle) EnableWindow(FHandle, FEnabled);
    TControl::EnabledChanged();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : FControls) c->ParentFontChanged();
    if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), TRUE);
}

void TWinControl::ColorChanged() {
    if (FBrush) FBrush->SetColor(FColor);
    TControl::ColorChanged();
    Invalidate();
    for (TControl* c : FControls) c->ParentColorChanged();
}

TBrush* TWinControl::Brush() {
    if (!FBrush) {
        FBrush = std::make_unique<TBrush>();
        FBrush->SetColor(FColor);
    }
    return FBrush.get();
}

bool TWinControl::Ctl3D() const {
    if (FParentCtl3D && FParent) return FParent->Ctl3D();
    return FCtl3D;
}

void TWinControl::SetCtl3D(bool value) {
    bool old = Ctl3D();
    FCtl3D = value;
    FParentCtl3D = false;
    if (old != value) ParentCtl3DChanged();
}

void TWinControl::SetParentCtl3D(bool value) {
    if (value == FParentCtl3D) return;
    bool old = Ctl3D();
    FParentCtl3D = value;
    if (old != Ctl3D()) ParentCtl3DChanged();
}

// A new border needs a new window, here and in children that follow.
void TWinControl::ParentCtl3DChanged() {
    RecreateWnd();
    for (TWinControl* c : FTabList)
        if (c->FParentCtl3D) c->ParentCtl3DChanged();
}

void TWinControl::AdjustClientRect(TRect&) const {}

// Aligned children fill the client area in passes: top, bottom, left,
// right, then the rest; within a pass they keep the order of their
// current positions (the highest alTop first, the lowest alBottom first).
void TWinControl::AlignControls(TControl* control) {
    if (FAligning || HasState(csLoading) || HasState(csDestroying)) return;
    FAligning = true;
    TRect area = ClientRect();
    AdjustClientRect(area);
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> aligned;
        for (TControl* c : FControls)
            if (c->Align() == pass && c->Visible()) aligned.push_back(c);
        auto key = [pass](const TControl* c) {
            switch (pass) {
            case alTop: return c->Top();
            case alBottom: return -(c->Top() + c->Height());
            case alLeft: return c->Left();
            case alRight: return -(c->Left() + c->Width());
            default: return 0;
            }
        };
        std::stable_sort(aligned.begin(), aligned.end(), [&key, control](const TControl* a, const TControl* b) {
            return key(a) < key(b) || (key(a) == key(b) && a == control && b != control);
        });
        for (TControl* c : aligned) {
            int w = c->Width(), h = c->Height();
            switch (pass) {
            case alTop: c->SetBounds(area.left, area.top, area.right - area.left, h); area.top += h; break;
            case alBottom: c->SetBounds(area.left, area.bottom - h, area.right - area.left, h); area.bottom -= h; break;
            case alLeft: c->SetBounds(area.left, area.top, w, area.bottom - area.top); area.left += w; break;
            case alRight: c->SetBounds(area.right - w, area.top, w, area.bottom - area.top); area.right -= w; break;
            default: c->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top); break;
            }
        }
    }
    FAligning = false;
}

void TWinControl::SetChildParent(TComponent* child) {
    if (auto control = ObjectAs<TControl>(child)) control->SetParent(this);
}

std::vector<TComponent*> TWinControl::GetChildren(TComponent* root) const {
    std::vector<TComponent*> result;
    for (TControl* c : FControls)
        if (c->Owner() == root) result.push_back(c);
    return result;
}

void TWinControl::Loaded() {
    TControl::Loaded();
    FLoadedTabOrder = -1;
    if (!FHandle && FVisible && FParent && FParent->FHandle) HandleNeeded();
    AlignControls();
}

void TWinControl::EraseBackground(HDC dc, const TRect& area) {
    TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(FColor)));
    FillRect(dc, &area, brush.Handle());
}

void TWinControl::PaintWindow(HDC) {}

bool TWinControl::HasBareFrame() const {
    auto style = static_cast<DWORD>(GetWindowLongA(FHandle, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(GetWindowLongA(FHandle, GWL_EXSTYLE));
    return (style & WS_CHILD) && !(style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL)) &&
           !(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
}

void TWinControl::PaintControls(HDC dc, const TRect& area) {
    for (TControl* c : FControls) {
        auto graphic = ObjectAs<TGraphicControl>(c);
        if (!graphic || !c->Visible()) continue;
        TRect bounds = c->BoundsRect(), overlap;
        if (!IntersectRect(&overlap, &bounds, &area)) continue;
        TSaveDC saved(dc);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
        graphic->PaintOn(dc);
    }
}

// The background, the window's own content and the graphic children.
void TWinControl::PaintClient(HDC dc, const TRect& area) {
    EraseBackground(dc, area);
    PaintWindow(dc);
    PaintControls(dc, area);
}

// A paint goes to an off-screen bitmap first and reaches the screen in
// one copy, so that nothing flickers. The first paint of a window goes
// straight to it: nothing of the window is on the screen yet, and the
// bitmap of a large window costs a fresh page of memory for every 4 KB.
void TWinControl::PaintHandler() {
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(FHandle, &ps);
    TRect area = ps.rcPaint;
    int w = area.right - area.left, h = area.bottom - area.top;
    auto paint = [&](HDC dc) {
        try {
            PaintClient(dc, area);
        } catch (...) {
            HandleEventException();
        }
    };
    if (w > 0 && h > 0 && !FPaintedOnce) {
        FPaintedOnce = true;
        TSaveDC saved(screen);
        paint(screen);
    } else if (w > 0 && h > 0) {
        TPaintBuffer memory(screen, w, h);
        SetViewportOrgEx(memory.Handle(), -area.left, -area.top, nullptr);
        paint(memory.Handle());
        SetViewportOrgEx(memory.Handle(), 0, 0, nullptr);
        BitBlt(screen, area.left, area.top, w, h, memory.Handle(), 0, 0, SRCCOPY);
    }
    EndPaint(FHandle, &ps);
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
    HandleNeeded();
    TSaveDC saved(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + x, origin.y + y, nullptr);
    IntersectClipRect(dc, 0, 0, FWidth, FHeight);
    // The frame (and for a platform class everything) as the window draws
    // it for a printer; then the framework's own painting in the client
    // area, and the children on top.
    LPARAM what = PRF_NONCLIENT | (FPlatformPaints ? PRF_CLIENT | PRF_ERASEBKGND : 0);
    SendMessageA(FHandle, WM_PRINT, reinterpret_cast<WPARAM>(dc), what);
    POINT client{0, 0};
    ::ClientToScreen(FHandle, &client);
    RECT window;
    GetWindowRect(FHandle, &window);
    int cx = client.x - window.left, cy = client.y - window.top;
    SetViewportOrgEx(dc, origin.x + x + cx, origin.y + y + cy, nullptr);
    TRect area = ClientRect();
    if (!FPlatformPaints) {
        TSaveDC client(dc);
        IntersectClipRect(dc, 0, 0, area.right, area.bottom);
        PaintClient(dc, area);
    }
    for (TControl* c : FControls)
        if (auto win = ObjectAs<TWinControl>(c); win && win->Visible())
            win->PaintTo(dc, win->Left(), win->Top());
}

void TWinControl::RouteMouse(TMessage& m) {
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    bool press = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN;
    bool release = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP;
    auto graphicAt = [this](POINT at) -> TControl* {
        TControl* hit = ControlAtPos(at);
        return hit && ObjectAs<TGraphicControl>(hit) ? hit : this;
    };
    TControl* target = nullptr;
    if (press) {
        target = graphicAt(p);
        FMouseControl = target;
        if (target->ControlStyle() & csCaptureMouse) SetCapture(FHandle);
    } else if (FMouseControl) {
        target = FMouseControl;
    } else {
        target = graphicAt(p);
    }
    if (m.Msg == WM_MOUSEMOVE) SetHoverControl(graphicAt(p));
    if (release) {
        FMouseControl = nullptr;
        if (GetCapture() == FHandle) ReleaseCapture();
    }
    if (target == this) {
        TControl::Dispatch(&m);
        return;
    }
    DefaultHandler(&m);  // the platform's part (a right button's release asks for a context menu)
    TMessage forwarded = m;
    forwarded.LParam = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    target->WindowProc(forwarded);
}

// Enter and leave follow the pointer between the window and its graphic
// children; the platform reports leaving the window itself.
void TWinControl::SetHoverControl(TControl* control) {
    if (control == FHoverControl) return;
    if (!FHoverControl && control) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&track);
    }
    TControl* old = FHoverControl;
    FHoverControl = control;
    if (old) old->MouseLeave();
    if (control) control->MouseEnter();
}

bool TWinControl::SetCursorFromControl(TMessage& m) {
    if (reinterpret_cast<HWND>(m.WParam) != FHandle || LOWORD(m.LParam) != HTCLIENT) return false;
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(FHandle, &p);
    TControl* hit = ControlAtPos(p);
    TCursor cursor = hit && ObjectAs<TGraphicControl>(hit) ? hit->Cursor() : crDefault;
    if (cursor == crDefault) cursor = Cursor();
    if (cursor == crDefault) return false;
    ::SetCursor(CursorHandle(cursor));
    m.Result = TRUE;
    return true;
}

// A right click (or the menu key) shows the popup menu of the graphic
// child under the pointer, else this control's; without one the parent
// gets the request.
void TWinControl::ContextMenu(TMessage& m) {
    POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (m.LParam == -1) screen = ClientToScreen(Point(FWidth / 2, FHeight / 2));
    TPoint client = ScreenToClient(screen);
    TControl* hit = ControlAtPos(client);
    if (hit && ObjectAs<TGraphicControl>(hit) &&
        hit->Perform(WM_CONTEXTMENU, m.WParam, m.LParam) != 0)
        return;
    if (ShowPopupMenu(client)) return;
    DefaultHandler(&m);
}

TControl* FindControlAt(POINT screen) {
    TWinControl* control = nullptr;
    for (HWND window = WindowFromPoint(screen); window && !control; window = GetParent(window))
        control = FindControl(window);
    if (!control) return nullptr;
    TControl* inner = control->ControlAtPos(control->ScreenToClient(screen));
    return inner && !ObjectAs<TWinControl>(inner) ? inner : control;
}

bool ReflectNotification(HWND parent, TMessage& m) {
    HWND child = nullptr;
    switch (m.Msg) {
    case WM_COMMAND: case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
    case WM_CHARTOITEM: case WM_VKEYTOITEM:
        child = reinterpret_cast<HWND>(m.LParam);
        break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom; break;
    case WM_DRAWITEM: {
        auto item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (item->CtlType != ODT_MENU) child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (item->CtlType != ODT_MENU) child = GetDlgItem(parent, static_cast<int>(item->CtlID));
        break;
    }
    case WM_DELETEITEM: child = reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->hwndItem; break;
    case WM_COMPAREITEM: child = reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam)->hwndItem; break;
    default: return false;
    }
    // A window of the platform's inside a control (a combo box's edit)
    // carries the control, but its notifications are its parent's own.
    TWinControl* control = child && child != parent ? FindControl(child) : nullptr;
    if (!control || (control->HandleAllocated() && control->Handle() == parent)) return false;
    m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

void TWinControl::WndProc(TMessage& m) {
    if (drag_detail::HandleMouse(FHandle, m)) return;
    switch (m.Msg) {
    case WM_SETTINGCHANGE:
    case WM_DPICHANGED:
        FrameSizes.clear();
        break;
    case WM_KEYDOWN:
        hint_detail::Cancel();
        if (drag_detail::HandleKey(m.WParam) || HandleNavigationKey(m)) return;
        break;
    case WM_CHAR:
        if (SwallowsChar(static_cast<char>(m.WParam))) return;
        break;
    default: break;
    }
    TControl::WndProc(m);
}

bool TWinControl::SwallowsChar(char key) {
    if (!FSwallowChar || key != FSwallowChar) return false;
    FSwallowChar = 0;
    return true;
}

void TWinControl::KeyPress(char& key) { OnKeyPress(this, key); }
void TWinControl::PreviewKey(char&) {}

void TWinControl::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (ReflectNotification(FHandle, m)) return;
    switch (m.Msg) {
    case WM_PAINT:
        if (FPlatformPaints) break;
        PaintHandler();
        return;
    case WM_ERASEBKGND:
        if (FPlatformPaints) break;
        m.Result = 1;
        return;
    case WM_NCPAINT:
        // A child with no frame and no scroll bars has nothing outside its
        // client area to draw, yet the platform's default takes and clips
        // a window context for it: 0.4 ms a window under Wine, for every
        // control as a form first shows.
        if (FPlatformPaints || !HasBareFrame()) break;
        return;
    case WM_PRINTCLIENT:
        if (FPlatformPaints) break;
        PaintClient(reinterpret_cast<HDC>(m.WParam), ClientRect());
        return;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        if (FHandle && !FPlatformPaints) {
            RouteMouse(m);
            return;
        }
        break;
    case WM_MOUSELEAVE:
        SetHoverControl(nullptr);
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(m.LParam) != FHandle) {
            if (FMouseControl) FMouseControl->CancelClick();
            FMouseControl = nullptr;
        }
        break;
    case WM_SETCURSOR:
        if (SetCursorFromControl(m)) return;
        break;
    case WM_CONTEXTMENU:
        ContextMenu(m);
        return;
    case WM_CHAR: {
        char key = static_cast<char>(m.WParam);
        if (TWinControl* top = TopLevelControl(); top != this) top->PreviewKey(key);
        if (key) KeyPress(key);
        if (!key) return;
        m.WParam = static_cast<unsigned char>(key);
        break;
    }
    case WM_SETFOCUS:
        DefaultHandler(message);
        FocusReceived();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        FocusLost(reinterpret_cast<HWND>(m.WParam));
        return;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        UpdateBoundsFromWindow();
        return;
    case WM_DESTROY:
        if (!HasState(csDestroying)) SaveWindowState();
        break;
    case CN_CTLCOLORMSGBOX: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX: case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG: case CN_CTLCOLORSCROLLBAR: case CN_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        ::SetTextColor(dc, ColorToRGB(FFont->Color()));
        SetBkColor(dc, ColorToRGB(FColor));
        m.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
        return;
    }
    default: break;
    }
    TControl::Dispatch(message);
}

// What no handler took goes to the window class's own procedure; the
// framework's notifications (CN_) have no platform meaning and end here.
void TWinControl::DefaultHandler(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (!FHandle || (m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400)) return;
    m.Result = CallWindowProcA(FDefWndProc ? FDefWndProc : DefWindowProcA, FHandle, m.Msg, m.WParam, m.LParam);
}
