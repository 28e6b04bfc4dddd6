// TWinControl: a control with a window of its own, made on first use of
// Handle. The window may be of the framework's own class, painted by the
// control (its graphic children over its background, without flicker),
// or a platform class (BUTTON, EDIT, msctls_progress32) whose own
// procedure gets whatever the control's handlers leave. Notifications a
// window sends its parent come back to its control as CN_ messages.
//
// A control's window sits in its parent's window, in a plain window
// given as ParentWindow, or in the parking window while it has neither;
// a new parent takes the existing window along. It holds the focus in
// the tab order of its parent, and lays out its aligned children.
#pragma once
#include <vector>

#include "framework/controls/control.h"

struct TCreateParams {
    AnsiString Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    UINT ClassStyle = 0;
    // The framework's window class for this control class (its name).
    AnsiString ClassName;
    // The platform class the window class copies, or none.
    const char* BaseClassName = nullptr;
};

class TWinControl : public TControl {
    FRAME_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    // Destroys the window and every child control (they leave their owners).
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // The window goes (its children's with it); what lives only in it is
    // kept first, and the next Handle() makes a new one.
    void DestroyHandle();
    // A plain window to live in while the control has no Parent (a
    // container's window). Its window moves there if it exists.
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND window);
    // Paints the control and its children, as they look, into any
    // device context with the control's top-left corner at x, y.
    void PaintTo(HDC dc, int x, int y);

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The top-most visible, enabled child control (graphic or windowed) at a client point.
    TControl* ControlAtPos(TPoint point) const;
    // The outermost windowed parent (this control when it has none).
    TWinControl* TopLevelControl();

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetCaption(const AnsiString& value) override;
    // The window's text while it has a window (a user may have typed it).
    AnsiString Text() const;
    void SetText(const AnsiString& value) { SetCaption(value); }
    void Invalidate() override;
    void InvalidateRect(const TRect& rect);
    void Update() override;
    bool Showing() const;
    // Lays out the aligned children; among those of one side with the
    // same position, control (the one whose bounds or alignment changed)
    // comes first.
    void AlignControls(TControl* control = nullptr);

    // Focus and the tab order. TabOrder is the control's place among its
    // siblings; Tab and Shift+Tab move through the controls with TabStop
    // that can take the focus, children right after their parent.
    bool CanFocus() const;
    bool Focused() const;
    // Raises EInvalidOperation when the control cannot take the focus.
    virtual void SetFocus();
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value) { FTabStop = value; }
    // Every windowed control inside, in tab order.
    std::vector<TWinControl*> TabOrderList() const;
    // Gives the focus to the next (or previous) control after current
    // that can take it; with checkTabStop only to those with TabStop.
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    // The control inside this top-level control that has (or last had)
    // the focus.
    TWinControl* ActiveControl() const { return FActiveControl; }
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Ctl3D: the sunken 3-D border of edit boxes and lists (a flat line
    // otherwise); ParentCtl3D follows the parent's.
    bool Ctl3D() const;
    void SetCtl3D(bool value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool value);
    bool Ctl3DStored() const { return !FParentCtl3D; }
    // The brush of the control's colour, for the platform classes' colour requests.
    TBrush* Brush();

    bool CanParentChildren() const override { return true; }
    void SetChildParent(TComponent* child) override;
    std::vector<TComponent*> GetChildren(TComponent* root) const override;

    void Dispatch(void* message) override;
    void DefaultHandler(void* message) override;

    TKeyPressEvent OnKeyPress;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // The border of an edit box or a list: the sunken 3-D edge, or a flat
    // line without Ctl3D.
    void AddBorder(TCreateParams& params) const;
    // A new window with the current properties (after a change of style).
    void RecreateWnd();
    // The window is about to go: keep what lives in it (text, items,
    // position) so that a new window shows the same.
    virtual void SaveWindowState() {}
    // Paints the window's own content on dc (after the background).
    virtual void PaintWindow(HDC dc);
    virtual void EraseBackground(HDC dc, const TRect& area);
    // The part of the client area aligned children fill.
    virtual void AdjustClientRect(TRect& rect) const;
    virtual void KeyPress(char& key);
    // The top-level control sees the keys of its children first when it
    // wants to (a form's KeyPreview); key 0 swallows it.
    virtual void PreviewKey(char& key);
    virtual void HandleCreated() {}
    void WndProc(TMessage& message) override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void Loaded() override;
    void UpdateBoundsFromWindow();
    virtual void Resized() {}
    // The focus arrived at this window, or left it for next.
    virtual void FocusReceived();
    virtual void FocusLost(HWND next);
    // At the top-level control: control now has the focus (OnExit of the
    // previous one, then OnEnter); nullptr when it left the control's tree.
    void SetFocusedControl(TWinControl* control);
    virtual void DoEnter() { OnEnter(this); }
    virtual void DoExit() { OnExit(this); }
    // Offers Enter or Escape to the controls inside (CM_DIALOGKEY), the
    // focused one first; true when one of them acted.
    bool DialogKey(WPARAM key, TWinControl* focused);
    // Tab, Shift+Tab, Enter and Escape (a WM_KEYDOWN) as a dialog moves
    // on them; true when taken. The character that follows is swallowed.
    bool HandleNavigationKey(TMessage& m);
    bool SwallowsChar(char key);

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    WNDPROC FDefWndProc = nullptr;
    bool FPlatformPaints = false;  // the platform class paints the window
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    TWinControl* FActiveControl = nullptr;
    bool FTabStop = false;
    int FLoadedTabOrder = -1;
    bool FCtl3D = true;
    bool FParentCtl3D = true;

private:
    friend LRESULT CALLBACK FrameWindowProc(HWND, UINT, WPARAM, LPARAM);
    void PlaceWindow();
    // Below its siblings' windows made earlier, above those made later.
    void TakeSiblingOrder();
    // A child window without frame, edges or scroll bars: nothing of it
    // lies outside its client area.
    bool HasBareFrame() const;
    void PaintHandler();
    void PaintClient(HDC dc, const TRect& area);
    void PaintControls(HDC dc, const TRect& area);
    void RouteMouse(TMessage& m);
    bool SetCursorFromControl(TMessage& m);
    void SetHoverControl(TControl* control);
    void ContextMenu(TMessage& m);
    void ParentCtl3DChanged();
    TControl* FMouseControl = nullptr;
    TControl* FHoverControl = nullptr;  // the graphic child (or this) under the pointer
    bool FAligning = false;
    bool FPaintedOnce = false;  // this window has been painted before
    char FSwallowChar = 0;  // the character of a key already acted on
    std::unique_ptr<TBrush> FBrush;
};

// Hands a notification a window got from a child window (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR..., WM_DRAWITEM, scroll messages and the like)
// to the child's control as CN_BASE + message; false when the child is
// no control of ours.
bool ReflectNotification(HWND parent, TMessage& message);

// The control under a screen point: the deepest window of the framework
// there, or the graphic control inside it (nullptr over other windows).
TControl* FindControlAt(POINT screen);

// Makes a control of a windowed class that lives in a plain window
// rather than in a parent control (an embedded control in its container,
// or in the parking window until it is placed).
TWinControl* CreateParentedControl(const TClassInfo& controlClass, HWND parentWindow);
template <class T>
T* CreateParentedControl(HWND parentWindow) {
    return static_cast<T*>(CreateParentedControl(T::StaticClass(), parentWindow));
}

// A message map: a Dispatch that sends the messages listed to their
// handlers (void Handler(TMessage&)) and every other one to Base.
//
//   FRAME_BEGIN_MESSAGE_MAP
//       FRAME_MESSAGE_HANDLER(WM_TIMER, WMTimer)
//   FRAME_END_MESSAGE_MAP(TCustomControl)
#define FRAME_BEGIN_MESSAGE_MAP                                        \
    void Dispatch(void* message) override {                            \
        auto& frameMessage = *static_cast<TMessage*>(message);         \
        switch (frameMessage.Msg) {
#define FRAME_MESSAGE_HANDLER(msg, handler) \
        case msg:                           \
            handler(frameMessage);          \
            break;
#define FRAME_END_MESSAGE_MAP(Base) \
        default:                    \
            Base::Dispatch(message); \
            break;                  \
        }                           \
    }
