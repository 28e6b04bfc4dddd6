#include "framework/controls/hint_window.h"

#include "framework/controls/win_control.h"
#include "framework/controls/window_binding.h"
#include "framework/controls/window_classes.h"
#include "framework/graphics/gdi_scope.h"

namespace hint_detail {
namespace {

constexpr UINT_PTR ShowTimer = 1, WatchTimer = 2;
constexpr UINT ShowPause = 500, WatchInterval = 100, HidePause = 5000;

// The window that shows the hint, its timers and the control it is for.
class THint : public TObject {
public:
    ~THint() override {
        if (!FWindow) return;
        UnbindWindow(FWindow);
        DestroyWindow(FWindow);
    }
    void Over(TControl* control) {
        if (control == FControl) return;
        Hide();
        FControl = control;
        if (control && Window()) SetTimer(FWindow, ShowTimer, ShowPause, nullptr);
    }
    void Hide() {
        if (!FWindow) return;
        KillTimer(FWindow, ShowTimer);
        KillTimer(FWindow, WatchTimer);
        ShowWindow(FWindow, SW_HIDE);
        FControl = nullptr;
    }
    bool IsFor(const TControl* control) const { return FControl == control; }

    void Dispatch(void* message) override {
        auto& m = *static_cast<TMessage*>(message);
        if (m.Msg == WM_TIMER) {
            if (m.WParam == ShowTimer) Show();
            else Watch();
        } else if (m.Msg == WM_PAINT) {
            Paint();
        } else {
            m.Result = DefWindowProcA(FWindow, m.Msg, m.WParam, m.LParam);
        }
    }

private:
    static AnsiString HintOf(TControl* control) {
        for (TControl* c = control; c; c = c->Parent())
            if (!c->Hint().empty()) return c->Hint();
        return {};
    }
    bool PointerOnControl() const {
        POINT p;
        GetCursorPos(&p);
        return FindControlAt(p) == FControl;
    }
    // The hint's window, hidden until a hint shows; its timers too.
    HWND Window() {
        if (FWindow) return FWindow;
        RegisterFrameClass("THintWindow", nullptr, CS_SAVEBITS);
        FWindow = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "THintWindow", "",
                                  WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr, FrameInstance(), nullptr);
        if (FWindow) BindWindow(FWindow, this);
        return FWindow;
    }
    void Show() {
        KillTimer(FWindow, ShowTimer);
        if (!FControl || !PointerOnControl()) return;
        AnsiString text = HintOf(FControl);
        if (text.empty()) return;
        SetWindowTextA(FWindow, text.c_str());
        RECT r{0, 0, 300, 0};
        {
            HDC screen = MeasureDC();
            TSelectObject font(screen, GetStockObject(DEFAULT_GUI_FONT));
            DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        }
        POINT p;
        GetCursorPos(&p);
        SetWindowPos(FWindow, HWND_TOPMOST, p.x, p.y + 20, r.right + 8, r.bottom + 6,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
        InvalidateRect(FWindow, nullptr, TRUE);
        FShownAt = GetTickCount();
        SetTimer(FWindow, WatchTimer, WatchInterval, nullptr);
    }
    void Watch() {
        if (!PointerOnControl() || GetTickCount() - FShownAt > HidePause) Hide();
    }
    void Paint() {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(FWindow, &ps);
        RECT r;
        GetClientRect(FWindow, &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
        char text[512];
        int n = GetWindowTextA(FWindow, text, sizeof text);
        TSaveDC saved(dc);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        InflateRect(&r, -3, -2);
        DrawTextA(dc, text, n, &r, DT_WORDBREAK | DT_NOPREFIX);
        EndPaint(FWindow, &ps);
    }

    TControl* FControl = nullptr;
    HWND FWindow = nullptr;
    DWORD FShownAt = 0;
};

THint& Hint() {
    static THint hint;
    return hint;
}

}  // namespace

void MouseOver(TControl* control) {
    Hint().Over(control && control->ShowHint() ? control : nullptr);
}

void Cancel() { Hint().Hide(); }

void Forget(TControl* control) {
    if (Hint().IsFor(control)) Hint().Hide();
}

}  // namespace hint_detail
