// TControl: a visual component with bounds inside a windowed parent.
// Every message it gets goes first through WindowProc (which a host may
// replace and restore), then WndProc, then Dispatch by message number.
// A control without a window of its own gets its mouse messages from its
// parent, paints through its parent, and fires OnClick when a press and
// release of the left button both fall inside it.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/classes/component.h"
#include "framework/controls/messages.h"
#include "framework/graphics/canvas.h"

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
FRAME_TYPE_INFO(TAlign);

enum TCursor : int16_t {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
    crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
    crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22,
};
FRAME_TYPE_INFO(TCursor);
HCURSOR CursorHandle(TCursor cursor);

enum TDragMode : uint8_t { dmManual, dmAutomatic };
FRAME_TYPE_INFO(TDragMode);

// Sender, Target (nullptr when nothing took the drop), X, Y.
using TEndDragEvent = TDragDropEvent;

// What the framework does for a control on its own.
enum TControlStyleFlag : uint8_t {
    csCaptureMouse = 1,   // a press captures the mouse until the release
    csClickEvents = 2,    // a press and release inside make a click
    csReflector = 4,      // a host should put a reflecting window around it
};
using TControlStyle = uint8_t;

class TWinControl;
class TPopupMenu;

class TControl : public TComponent {
    FRAME_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
    virtual TRect ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int value);
    void SetClientHeight(int value);

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and on a parent that shows.
    bool Showing() const;
    // A disabled control greys itself and takes no input.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value) { FCursor = value; }
    const AnsiString& Caption() const { return FCaption; }
    virtual void SetCaption(const AnsiString& value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    const AnsiString& Hint() const { return FHint; }
    void SetHint(const AnsiString& value) { FHint = value; }
    // ShowHint follows the parent's while ParentShowHint is true.
    bool ShowHint() const;
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value) { FParentShowHint = value; }
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);
    TControlStyle ControlStyle() const { return FControlStyle; }
    // Whether Color, Font and ShowHint are written to a form resource:
    // not while they follow the parent's.
    bool ColorStored() const { return !FParentColor; }
    bool FontStored() const { return !FParentFont; }
    bool ShowHintStored() const { return !FParentShowHint; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }

    virtual void Invalidate();
    void Repaint();
    virtual void Update();
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;
    // A windowed parent's offset of this control's client area.
    virtual TPoint ClientOrigin() const;

    // Every message of the control arrives here first. It starts out as
    // WndProc; a host may put its own method here (keeping the old one
    // to pass messages on) and put the old one back.
    TWndMethod WindowProc;
    // Sends a message to the control as if it came from the platform.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    void Dispatch(void* message) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // Drag and drop. dmAutomatic starts a drag when the left button goes
    // down on the control; dmManual leaves it to BeginDrag. Over a target
    // the cursor is DragCursor while the target's OnDragOver accepts and
    // crNoDrop while it refuses; releasing the button over an accepting
    // target drops there (OnDragDrop); Escape or a refusing target cancels.
    // OnEndDrag tells the source either way (Target nullptr: no drop).
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode value) { FDragMode = value; }
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor value) { FDragCursor = value; }
    // Immediate false: the drag starts once the pointer has moved a few
    // pixels with the button held; released before that, it never starts.
    void BeginDrag(bool immediate);
    void EndDrag(bool drop);
    bool Dragging() const;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TNotifyEvent OnStartDrag;
    // What the drag machinery calls on targets and sources.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    virtual void DoEndDrag(TObject* target, int x, int y);
    virtual void DoStartDrag();

    // Parents call these for the control under the pointer.
    virtual void Click();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // The pointer came over the control or left it (flat buttons light up).
    virtual void MouseEnter() { OnMouseEnter(this); }
    virtual void MouseLeave() { OnMouseLeave(this); }
    // The press that would make the next release a click no longer counts
    // (the parent lost the mouse capture in between).
    void CancelClick() { FClickPressed = false; }
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // For TWinControl's list of children only.
    void AttachParent(TWinControl* parent) { FParent = parent; }
    // The parent's font or colour changed (CM_PARENTFONTCHANGED and
    // CM_PARENTCOLORCHANGED, which a host may send as well).
    void ParentFontChanged();
    void ParentColorChanged();

protected:
    virtual void WndProc(TMessage& message);
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    virtual void BoundsChanged(bool sizeChanged);
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    // Shows the popup menu for a right click at a client point; false
    // when the control has none.
    bool ShowPopupMenu(TPoint client);

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    TAlign FAlign = alNone;
    TCursor FCursor = crDefault;
    AnsiString FCaption;
    TColor FColor = clWindow;
    bool FParentColor = true;
    bool FParentFont = true;
    std::unique_ptr<TFont> FFont;
    AnsiString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TPopupMenu* FPopupMenu = nullptr;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents;
    TDragMode FDragMode = dmManual;
    TCursor FDragCursor = crDrag;

private:
    void FontObjectChanged(TObject* sender);
    void AdoptFont(const TFont* font);
    void AdoptColor(TColor color);
    bool FAdoptingFont = false;
    bool FClickPressed = false;  // the left button went down on this control
};

TShiftState ShiftFromKeys(WPARAM keys);
