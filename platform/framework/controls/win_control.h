// TWinControl: a control with a window of its own, made on first use of
// Handle. It parents other controls, paints its graphic children over its
// background without flicker (one off-screen bitmap per paint), and routes
// mouse input to the top-most child control under the pointer.
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
    AnsiString ClassName;
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

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // The top-most visible child control (graphic or windowed) at a client point.
    TControl* ControlAtPos(TPoint point) const;

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetParent(TWinControl* parent) override;
    void SetCaption(const AnsiString& value) override;
    void Invalidate() override;
    void InvalidateRect(const TRect& rect);
    void Update() override;
    bool Showing() const;
    void AlignControls();

    bool CanParentChildren() const override { return true; }
    void SetChildParent(TComponent* child) override;
    std::vector<TComponent*> GetChildren(TComponent* root) const override;

    void Dispatch(void* message) override;
    void DefaultHandler(void* message) override;

    TKeyPressEvent OnKeyPress;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    void DestroyHandle();
    // Paints the window's own content on dc (after the background).
    virtual void PaintWindow(HDC dc);
    virtual void EraseBackground(HDC dc, const TRect& area);
    virtual void KeyPress(char& key);
    virtual void HandleCreated() {}
    void VisibleChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void Loaded() override;
    void UpdateBoundsFromWindow();
    virtual void Resized() {}

    HWND FHandle = nullptr;
    std::vector<TControl*> FControls;

private:
    friend LRESULT CALLBACK FrameWindowProc(HWND, UINT, WPARAM, LPARAM);
    void PaintHandler();
    void PaintControls(HDC dc, const TRect& area);
    void RouteMouse(TMessage& m);
    bool SetCursorFromControl(TMessage& m);
    void SetHoverControl(TControl* control);
    TControl* FMouseControl = nullptr;
    TControl* FHoverControl = nullptr;  // the graphic child (or this) under the pointer
    bool FAligning = false;
};
