#include "framework/controls/win_control.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/classes/published.h"
#include "framework/controls/graphic_control.h"
#include "framework/system/exception_hook.h"

LRESULT CALLBACK FrameWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {
// The control whose window is being made: its first messages arrive
// before CreateWindowEx returns the handle.
TWinControl* CreationControl = nullptr;

void RegisterWindowClass(const TCreateParams& params) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, params.ClassName.c_str(), &existing)) return;
    WNDCLASSA wc{};
    wc.style = params.ClassStyle;
    wc.lpfnWndProc = FrameWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = params.ClassName.c_str();
    Win32Check(RegisterClassA(&wc) != 0, "RegisterClass");
}
}  // namespace

LRESULT CALLBACK FrameWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control && CreationControl) {
        control = CreationControl;
        CreationControl = nullptr;
        control->FHandle = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    if (!control) return DefWindowProcA(window, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        control->Dispatch(&m);
    } catch (...) {
        HandleEventException();
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        control->FHandle = nullptr;
    }
    return m.Result;
}

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

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = FCaption;
    params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (FVisible) params.Style |= WS_VISIBLE;
    params.X = FLeft;
    params.Y = FTop;
    params.Width = FWidth;
    params.Height = FHeight;
    params.WndParent = FParent ? FParent->Handle() : nullptr;
    params.ClassName = ClassName();
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    RegisterWindowClass(params);
    CreationControl = this;
    HWND window = CreateWindowExA(params.ExStyle, params.ClassName.c_str(), params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    CreationControl = nullptr;
    Win32Check(window != nullptr, "CreateWindowEx");
    FHandle = window;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
    for (TControl* child : FControls)
        if (auto win = ObjectAs<TWinControl>(child)) win->HandleNeeded();
    HandleCreated();
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    HWND window = FHandle;
    DestroyWindow(window);
    FHandle = nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    FControls.push_back(control);
    control->AttachParent(this);
    if (auto win = ObjectAs<TWinControl>(control)) {
        if (FHandle) win->HandleNeeded();
    } else {
        control->Invalidate();
    }
    if (control->Align() != alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
    if (control->Parent() != this) return;
    if (FMouseControl == control) FMouseControl = nullptr;
    if (FHoverControl == control) FHoverControl = nullptr;
    if (!HasState(csDestroying)) InvalidateRect(control->BoundsRect());
    if (auto win = ObjectAs<TWinControl>(control)) win->DestroyHandle();
    std::erase(FControls, control);
    control->AttachParent(nullptr);
    if (!HasState(csDestroying) && control->Align() != alNone) AlignControls();
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
    if (sized && FParent && FAlign != alNone) FParent->AlignControls();
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

TRect TWinControl::ClientRect() const {
    if (FHandle) {
        RECT r;
        GetClientRect(FHandle, &r);
        return r;
    }
    TCreateParams params;
    const_cast<TWinControl*>(this)->CreateParams(params);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style & ~WS_CHILD, FALSE, params.ExStyle);
    return Rect(0, 0, std::max(0L, FWidth - (frame.right - frame.left)),
                std::max(0L, FHeight - (frame.bottom - frame.top)));
}

TPoint TWinControl::ClientOrigin() const {
    if (FHandle) {
        POINT p{0, 0};
        ::ClientToScreen(FHandle, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    DestroyHandle();
    TControl::SetParent(parent);
}

void TWinControl::SetCaption(const AnsiString& value) {
    TControl::SetCaption(value);
    if (FHandle) SetWindowTextA(FHandle, value.c_str());
}

void TWinControl::Invalidate() {
    if (FHandle) ::InvalidateRect(FHandle, nullptr, FALSE);
}

void TWinControl::InvalidateRect(const TRect& rect) {
    if (FHandle) ::InvalidateRect(FHandle, &rect, FALSE);
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

bool TWinControl::Showing() const {
    return FHandle ? IsWindowVisible(FHandle) != FALSE : false;
}

void TWinControl::VisibleChanged() {
    if (FHandle) ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
    TControl::VisibleChanged();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : FControls) c->ParentFontChanged();
    if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), TRUE);
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    Invalidate();
    for (TControl* c : FControls) c->ParentColorChanged();
}

void TWinControl::AlignControls() {
    if (FAligning || HasState(csLoading) || HasState(csDestroying)) return;
    FAligning = true;
    TRect area = ClientRect();
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : FControls) {
            if (c->Align() != pass || !c->Visible()) continue;
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
    AlignControls();
}

void TWinControl::EraseBackground(HDC dc, const TRect& area) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(FColor));
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc, const TRect& area) {
    for (TControl* c : FControls) {
        auto graphic = ObjectAs<TGraphicControl>(c);
        if (!graphic || !c->Visible()) continue;
        TRect bounds = c->BoundsRect(), overlap;
        if (!IntersectRect(&overlap, &bounds, &area)) continue;
        int saved = SaveDC(dc);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
        graphic->PaintOn(dc);
        RestoreDC(dc, saved);
    }
}

// The background, the window's own content and the graphic children go
// to an off-screen bitmap first and reach the screen in one copy.
void TWinControl::PaintHandler() {
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(FHandle, &ps);
    TRect area = ps.rcPaint;
    int w = area.right - area.left, h = area.bottom - area.top;
    if (w > 0 && h > 0) {
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP buffer = CreateCompatibleBitmap(screen, w, h);
        HGDIOBJ old = SelectObject(memory, buffer);
        SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
        EraseBackground(memory, area);
        try {
            PaintWindow(memory);
            PaintControls(memory, area);
        } catch (...) {
            HandleEventException();
        }
        SetViewportOrgEx(memory, 0, 0, nullptr);
        BitBlt(screen, area.left, area.top, w, h, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(buffer);
        DeleteDC(memory);
    }
    EndPaint(FHandle, &ps);
}

void TWinControl::RouteMouse(TMessage& m) {
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    bool press = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN;
    bool release = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP;
    TControl* target = nullptr;
    if (press) {
        TControl* hit = ControlAtPos(p);
        target = hit && ObjectAs<TGraphicControl>(hit) ? hit : this;
        FMouseControl = target;
        SetCapture(FHandle);
    } else if (FMouseControl) {
        target = FMouseControl;
    } else {
        TControl* hit = ControlAtPos(p);
        target = hit && ObjectAs<TGraphicControl>(hit) ? hit : this;
    }
    if (m.Msg == WM_MOUSEMOVE) {
        TControl* hit = ControlAtPos(p);
        SetHoverControl(hit && ObjectAs<TGraphicControl>(hit) ? hit : this);
    }
    if (release) {
        FMouseControl = nullptr;
        if (GetCapture() == FHandle) ReleaseCapture();
    }
    if (target == this) {
        TControl::Dispatch(&m);
        return;
    }
    TMessage forwarded = m;
    forwarded.LParam = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    target->Dispatch(&forwarded);
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

void TWinControl::KeyPress(char& key) { OnKeyPress(this, key); }

void TWinControl::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    switch (m.Msg) {
    case WM_PAINT: PaintHandler(); return;
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        if (FHandle) { RouteMouse(m); return; }
        break;
    case WM_MOUSELEAVE:
        SetHoverControl(nullptr);
        return;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(m.LParam) != FHandle) {
            if (FMouseControl) FMouseControl->CancelClick();
            FMouseControl = nullptr;
        }
        break;
    case WM_SETCURSOR:
        if (SetCursorFromControl(m)) return;
        break;
    case WM_CHAR: {
        char key = static_cast<char>(m.WParam);
        KeyPress(key);
        return;
    }
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        UpdateBoundsFromWindow();
        return;
    default: break;
    }
    TControl::Dispatch(message);
}

void TWinControl::DefaultHandler(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (FHandle) m.Result = DefWindowProcA(FHandle, m.Msg, m.WParam, m.LParam);
}
