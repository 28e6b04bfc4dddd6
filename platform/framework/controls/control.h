// TControl: a visual component with bounds inside a windowed parent. It
// receives mouse messages from its parent through Dispatch, paints through
// its parent, and fires OnClick when a press and release of the left
// button both fall inside it.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/classes/component.h"
#include "framework/graphics/canvas.h"

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
FRAME_TYPE_INFO(TAlign);

enum TCursor : int16_t {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
    crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crNo = -18, crAppStart = -19,
    crHelp = -20, crHandPoint = -21, crSizeAll = -22,
};
FRAME_TYPE_INFO(TCursor);
HCURSOR CursorHandle(TCursor cursor);

class TWinControl;

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
    // Visible and on a parent that shows.
    bool Showing() const;
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

    virtual void Invalidate();
    void Repaint();
    virtual void Update();
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;
    // A windowed parent's offset of this control's client area.
    virtual TPoint ClientOrigin() const;

    // Sends a message to the control as if it came from the platform.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    void Dispatch(void* message) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;

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
    // The parent's font or colour changed.
    void ParentFontChanged();
    void ParentColorChanged();

protected:
    virtual void VisibleChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    virtual void BoundsChanged(bool sizeChanged);
    void Loaded() override;

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

private:
    void FontObjectChanged(TObject* sender);
    bool FAdoptingFont = false;
    bool FClickPressed = false;  // the left button went down on this control
};

TShiftState ShiftFromKeys(WPARAM keys);
