#include "windows/design_surface.h"

#include <windowsx.h>

#include <algorithm>

#include "model/palette_model.h"
#include "windows/palette_bitmap.h"

namespace {

constexpr int HandleSize = 6;
constexpr UINT WM_DEFERRED = WM_APP + 1;
constexpr UINT FirstVerb = 100, CmdEdit = 90, CmdFront = 91, CmdBack = 92, CmdDelete = 93;

bool IsMouse(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_LBUTTONDBLCLK || msg == WM_MOUSEMOVE ||
           msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP || msg == WM_RBUTTONDBLCLK;
}

// Every control on the form and on its panels.
void Controls(TWinControl* parent, std::vector<TControl*>& out) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        out.push_back(c);
        if (auto w = ObjectAs<TWinControl>(c)) Controls(w, out);
    }
}

}  // namespace

// One control's messages, on their way to the surface; the control's own
// WindowProc is kept to pass the rest on and to put back.
struct TDesignSurface::Hook : TObject {
    Hook(TDesignSurface* surface, TControl* control) : Surface(surface), Control(control), Old(control->WindowProc) {
        Control->WindowProc = TWndMethod(this, &Hook::Message);
    }
    bool Current() const { return Control->WindowProc == TWndMethod(const_cast<Hook*>(this), &Hook::Message); }
    void Message(TMessage& m) { Surface->Message(Control, m, Old); }
    TDesignSurface* Surface;
    TControl* Control;
    TWndMethod Old;
};

TDesignSurface::TDesignSurface(TDesignDocument& document) : FDocument(document) {
    FDeferWindow = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(FDeferWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(FDeferWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TDesignSurface::DeferredProc));
}

TDesignSurface::~TDesignSurface() {
    for (HWND h : FHandles) DestroyWindow(h);
    for (auto& [control, hook] : FHooks)
        if (hook->Current()) control->WindowProc = hook->Old;
    DestroyWindow(FDeferWindow);
}

LRESULT CALLBACK TDesignSurface::DeferredProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_DEFERRED) return DefWindowProcW(window, msg, wParam, lParam);
    auto self = reinterpret_cast<TDesignSurface*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    std::vector<std::function<void()>> work;
    work.swap(self->FDeferred);
    for (auto& w : work) {
        try {
            w();
        } catch (const Exception& e) {
            Application->ShowException(e);
        }
    }
    return 0;
}

void TDesignSurface::Defer(std::function<void()> work) {
    FDeferred.push_back(std::move(work));
    PostMessageW(FDeferWindow, WM_DEFERRED, 0, 0);
}

void TDesignSurface::Refresh() {
    TForm* form = FDocument.Form();
    if (form != FHookedForm) {
        // The old form and its controls are gone with their hooks' targets.
        for (HWND h : FHandles) DestroyWindow(h);
        FHandles.clear();
        FHooks.clear();
        FHookedForm = form;
        FHooks[form] = std::make_unique<Hook>(this, form);
        // Shown by its window alone: Visible is the form's value, stored.
        ShowWindow(form->Handle(), SW_SHOWNA);
    }
    HookControls(form);
    PlaceHandles();
    InvalidateRect(form->Handle(), nullptr, TRUE);
}

void TDesignSurface::HookControls(TWinControl* parent) {
    std::vector<TControl*> controls;
    Controls(parent, controls);
    // A freed control's address may come again for a new one: a hook
    // counts only while the control's WindowProc is still ours.
    for (auto it = FHooks.begin(); it != FHooks.end();) {
        bool present = it->first == FHookedForm || std::find(controls.begin(), controls.end(), it->first) != controls.end();
        it = present && it->second->Current() ? std::next(it) : FHooks.erase(it);
    }
    for (TControl* c : controls)
        if (!FHooks.count(c)) FHooks[c] = std::make_unique<Hook>(this, c);
}

POINT TDesignSurface::FormPoint() const {
    DWORD pos = GetMessagePos();
    POINT p{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    ScreenToClient(FHookedForm->Handle(), &p);
    return p;
}

void TDesignSurface::Message(TControl* control, TMessage& m, const TWndMethod& old) {
    if (IsMouse(m.Msg)) {
        POINT p = FormPoint();
        bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: MouseDown(p, shift, false); break;
        case WM_RBUTTONDOWN: MouseDown(p, shift, true); break;
        case WM_MOUSEMOVE: MouseMove(p); break;
        case WM_LBUTTONUP: MouseUp(p); break;
        default: break;
        }
        m.Result = 0;
        return;
    }
    if (control == FHookedForm) {
        switch (m.Msg) {
        case WM_CLOSE: m.Result = 0; return;  // the designed form stays while it is designed
        case WM_ENTERSIZEMOVE: FMoveSizeBefore = FDocument.Text(); break;
        case WM_EXITSIZEMOVE: {
            AnsiString before = FMoveSizeBefore;
            Defer([this, before] { FDocument.ChangedSince(before); });
            break;
        }
        default: break;
        }
    }
    if (m.Msg == WM_KEYDOWN) {
        KeyDown(m.WParam);
        m.Result = 0;
        return;
    }
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS;
        return;
    }
    old(m);
    if (m.Msg == WM_PAINT && control == FHookedForm) PaintIcons();
}

void TDesignSurface::MouseDown(POINT p, bool shift, bool right) {
    SetFocus(FHookedForm->Handle());
    if (PendingClass && !right) {
        const TClassInfo* cls = PendingClass;
        PendingClass = nullptr;
        Defer([this, cls, p] {
            FDocument.Place(*cls, p.x, p.y);
            if (OnPlaced) OnPlaced();
        });
        return;
    }
    std::vector<TComponent*> selection = FDocument.Selection();
    // A handle of the one selected control sizes it.
    if (!right && selection.size() == 1 && ObjectAs<TControl>(selection[0])) {
        std::vector<RECT> handles = HandleRects(GetDesignBounds(selection[0]));
        for (size_t i = 0; i < handles.size(); ++i) {
            RECT r = handles[i];
            InflateRect(&r, 2, 2);
            if (PtInRect(&r, p)) {
                FDrag = Drag::Resize;
                FHandle = static_cast<int>(i);
                FDragged = selection[0];
                FDragStart = p;
                SetCapture(FHookedForm->Handle());
                return;
            }
        }
    }
    TComponent* hit = FDocument.ComponentAt(p.x, p.y);
    DWORD now = GetTickCount();
    bool doubleClick = !right && hit && hit == FLastDownComponent && now - FLastDown <= GetDoubleClickTime();
    FLastDown = now;
    FLastDownComponent = doubleClick ? nullptr : hit;
    if (doubleClick) {
        Defer([this, hit] { EditComponent(hit); });
        return;
    }
    bool selected = std::find(selection.begin(), selection.end(), hit) != selection.end();
    if (shift && hit && !right) {
        Defer([this, hit] { FDocument.Select(hit, true); });
        return;
    }
    if (!selected) Defer([this, hit] { FDocument.Select(hit); });
    if (right) {
        POINT screen = p;
        ClientToScreen(FHookedForm->Handle(), &screen);
        Defer([this, hit, screen] { ShowContextMenu(hit, screen); });
        return;
    }
    if (hit) {
        FDrag = Drag::Move;
        FDragged = hit;
        FDragStart = p;
        SetCapture(FHookedForm->Handle());
    }
}

RECT TDesignSurface::DragRect(POINT p) const {
    TDesignBounds b = GetDesignBounds(FDragged);
    int dx = p.x - FDragStart.x, dy = p.y - FDragStart.y;
    RECT r{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
    if (FDrag == Drag::Move) {
        OffsetRect(&r, dx, dy);
        return r;
    }
    // Handles: 0 top left, 1 top, 2 top right, 3 right, 4 bottom right,
    // 5 bottom, 6 bottom left, 7 left.
    if (FHandle == 0 || FHandle == 6 || FHandle == 7) r.left += dx;
    if (FHandle == 2 || FHandle == 3 || FHandle == 4) r.right += dx;
    if (FHandle == 0 || FHandle == 1 || FHandle == 2) r.top += dy;
    if (FHandle == 4 || FHandle == 5 || FHandle == 6) r.bottom += dy;
    return r;
}

void TDesignSurface::DrawDragRect(const RECT& r) {
    RECT screen = r;
    MapWindowPoints(FHookedForm->Handle(), nullptr, reinterpret_cast<POINT*>(&screen), 2);
    HDC dc = GetDC(nullptr);
    DrawFocusRect(dc, &screen);
    ReleaseDC(nullptr, dc);
}

void TDesignSurface::MouseMove(POINT p) {
    if (FDrag == Drag::None || GetCapture() != FHookedForm->Handle()) return;
    if (FDragDrawn) DrawDragRect(FDragShown);
    FDragShown = DragRect(p);
    DrawDragRect(FDragShown);
    FDragDrawn = true;
}

void TDesignSurface::MouseUp(POINT p) {
    if (FDrag == Drag::None) return;
    if (FDragDrawn) DrawDragRect(FDragShown);
    FDragDrawn = false;
    ReleaseCapture();
    Drag drag = FDrag;
    FDrag = Drag::None;
    int dx = p.x - FDragStart.x, dy = p.y - FDragStart.y;
    if (dx == 0 && dy == 0) return;
    if (drag == Drag::Move) {
        Defer([this, dx, dy] { FDocument.MoveSelection(dx, dy); });
        return;
    }
    RECT r = DragRect(p);
    int grid = FDocument.Grid;
    TDesignBounds b{SnapToGrid(std::min(r.left, r.right), grid), SnapToGrid(std::min(r.top, r.bottom), grid), 0, 0};
    b.Width = std::max(grid, SnapToGrid(std::max(r.left, r.right), grid) - b.Left);
    b.Height = std::max(grid, SnapToGrid(std::max(r.top, r.bottom), grid) - b.Top);
    TComponent* sized = FDragged;
    Defer([this, sized, b] { FDocument.SetBounds(sized, b); });
}

void TDesignSurface::KeyDown(WPARAM key) {
    bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: Defer([this, key, shift] { FDocument.Nudge(static_cast<UINT>(key), shift); }); break;
    case VK_DELETE: Defer([this] { FDocument.DeleteSelection(); }); break;
    case VK_ESCAPE: Defer([this] { FDocument.Select(nullptr); }); break;
    default:
        if (!ctrl) break;
        if (key == 'Z' && FDocument.CanUndo()) Defer([this] { FDocument.Undo(); });
        if (key == 'Y' && FDocument.CanRedo()) Defer([this] { FDocument.Redo(); });
        if (key == 'C') Defer([this] { FDocument.Copy(); });
        if (key == 'X') Defer([this] { FDocument.Cut(); });
        if (key == 'V') Defer([this] { FDocument.Paste(); });
        break;
    }
}

void TDesignSurface::EditComponent(TComponent* component) {
    if (!component) return;
    // Some editors do not tell the designer: the document sees the change
    // in the form text.
    FDocument.Change([&] {
        std::unique_ptr<TComponentEditor> editor = GetComponentEditor(component, &FDocument.Designer());
        editor->Edit();
    });
}

void TDesignSurface::ShowContextMenu(TComponent* component, POINT screen) {
    HMENU menu = CreatePopupMenu();
    std::unique_ptr<TComponentEditor> editor;
    if (component) {
        editor = GetComponentEditor(component, &FDocument.Designer());
        for (int i = 0; i < editor->GetVerbCount(); ++i)
            AppendMenuW(menu, MF_STRING, FirstVerb + i, ToWide(editor->GetVerb(i)).c_str());
        AppendMenuW(menu, MF_STRING, CmdEdit, L"Edit");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    UINT enabled = FDocument.Selection().empty() ? MF_GRAYED : MF_ENABLED;
    AppendMenuW(menu, MF_STRING | enabled, CmdFront, L"Bring to front");
    AppendMenuW(menu, MF_STRING | enabled, CmdBack, L"Send to back");
    AppendMenuW(menu, MF_STRING | enabled, CmdDelete, L"Delete");
    UINT pick = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, FHookedForm->Handle(), nullptr));
    DestroyMenu(menu);
    if (pick >= FirstVerb && editor) {
        int verb = static_cast<int>(pick - FirstVerb);
        FDocument.Change([&] { editor->ExecuteVerb(verb); });
    } else if (pick == CmdEdit) {
        editor.reset();
        EditComponent(component);
    } else if (pick == CmdFront) {
        FDocument.BringToFront();
    } else if (pick == CmdBack) {
        FDocument.SendToBack();
    } else if (pick == CmdDelete) {
        FDocument.DeleteSelection();
    }
}

std::vector<RECT> TDesignSurface::HandleRects(const TDesignBounds& b) const {
    int l = b.Left - HandleSize / 2, t = b.Top - HandleSize / 2;
    int r = b.Left + b.Width - HandleSize / 2, m = b.Left + b.Width / 2 - HandleSize / 2;
    int bo = b.Top + b.Height - HandleSize / 2, mid = b.Top + b.Height / 2 - HandleSize / 2;
    std::vector<POINT> at{{l, t}, {m, t}, {r, t}, {r, mid}, {r, bo}, {m, bo}, {l, bo}, {l, mid}};
    std::vector<RECT> rects;
    for (POINT p : at) rects.push_back({p.x, p.y, p.x + HandleSize, p.y + HandleSize});
    return rects;
}

void TDesignSurface::PlaceHandles() {
    for (HWND h : FHandles) DestroyWindow(h);
    FHandles.clear();
    std::vector<TComponent*> selection = FDocument.Selection();
    DWORD look = selection.size() == 1 ? SS_BLACKRECT : SS_GRAYRECT;
    for (TComponent* c : selection) {
        std::vector<RECT> rects = HandleRects(GetDesignBounds(c));
        // Several selected show their corners only.
        for (size_t i = 0; i < rects.size(); ++i) {
            if (selection.size() > 1 && i % 2 == 1) continue;
            const RECT& r = rects[i];
            HWND h = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | look, r.left, r.top, HandleSize,
                                     HandleSize, FHookedForm->Handle(), nullptr, nullptr, nullptr);
            SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            FHandles.push_back(h);
        }
    }
}

void TDesignSurface::PaintIcons() {
    HWND window = FHookedForm->Handle();
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    for (TComponent* c : FHookedForm->GetChildren(FHookedForm)) {
        if (ObjectAs<TControl>(c)) continue;
        TDesignBounds b = GetDesignBounds(c);
        auto& picture = FPictures[c->ClassName()];
        if (!picture) {
            TPaletteButton button{&c->ClassType(), c->ClassName(), nullptr, UpperCase(c->ClassName()), false};
            for (const TPaletteEntry& e : PaletteEntries())
                if (e.Class == &c->ClassType()) {
                    button.Module = e.Module;
                    button.HasBitmap = e.Module && FindResourceA(static_cast<HMODULE>(e.Module),
                                                                 button.BitmapResource.c_str(), MAKEINTRESOURCEA(2));
                }
            picture = LoadPaletteBitmap(button);
        }
        RECT frame{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
        FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
        HGDIOBJ old = SelectObject(memory, picture->Handle());
        BitBlt(dc, b.Left + (b.Width - picture->Width()) / 2, b.Top + (b.Height - picture->Height()) / 2,
               picture->Width(), picture->Height(), memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    ReleaseDC(window, dc);
}
