#include "framework/controls/control.h"

#include <windowsx.h>

#include "framework/classes/published.h"
#include "framework/controls/win_control.h"

FRAME_DEFINE_ENUM_INFO(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient")

PTypeInfo TypeInfoFor<TCursor>::Get() {
    static const TTypeInfo info{TTypeKind::Integer, "TCursor", {}, nullptr, INT16_MIN, INT16_MAX,
                                {{"crDefault", crDefault}, {"crNone", crNone}, {"crArrow", crArrow},
                                 {"crCross", crCross}, {"crIBeam", crIBeam}, {"crSizeNESW", crSizeNESW},
                                 {"crSizeNS", crSizeNS}, {"crSizeNWSE", crSizeNWSE}, {"crSizeWE", crSizeWE},
                                 {"crUpArrow", crUpArrow}, {"crHourGlass", crHourGlass}, {"crNo", crNo},
                                 {"crAppStart", crAppStart}, {"crHelp", crHelp}, {"crHandPoint", crHandPoint},
                                 {"crSizeAll", crSizeAll}}};
    return &info;
}

HCURSOR CursorHandle(TCursor cursor) {
    LPCSTR id = IDC_ARROW;
    switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
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
        c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
        c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
        c.Property("OnClick", &TControl::OnClick);
        c.Property("OnDblClick", &TControl::OnDblClick);
        c.Property("OnMouseDown", &TControl::OnMouseDown);
        c.Property("OnMouseUp", &TControl::OnMouseUp);
        c.Property("OnMouseMove", &TControl::OnMouseMove);
        c.Property("OnDragOver", &TControl::OnDragOver);
        c.Property("OnDragDrop", &TControl::OnDragDrop);
    });
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>()) {
    FFont->OnChange = TNotifyEvent(this, &TControl::FontObjectChanged);
}

TControl::~TControl() {
    SetState(csDestroying, true);
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

void TControl::BoundsChanged(bool sizeChanged) {
    Invalidate();
    if (sizeChanged && FParent && FAlign != alNone) FParent->AlignControls();
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
int TControl::ClientWidth() const { TRect r = ClientRect(); return r.right - r.left; }
int TControl::ClientHeight() const { TRect r = ClientRect(); return r.bottom - r.top; }
void TControl::SetClientWidth(int value) { SetWidth(FWidth - ClientWidth() + value); }
void TControl::SetClientHeight(int value) { SetHeight(FHeight - ClientHeight() + value); }

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
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
        if (FAlign != alNone) FParent->AlignControls();
    }
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    Invalidate();
}

void TControl::SetAlign(TAlign value) {
    if (value == FAlign) return;
    FAlign = value;
    if (FParent) FParent->AlignControls();
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

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent) return;
    FColor = FParent->Color();
    ColorChanged();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::SetParentFont(bool value) {
    if (value == FParentFont) return;
    FParentFont = value;
    if (value && FParent) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FAdoptingFont = true;
    FFont->Assign(FParent->Font());
    FAdoptingFont = false;
    FontChanged();
}

// A font changed from outside stops following the parent's.
void TControl::FontObjectChanged(TObject*) {
    if (!FAdoptingFont) FParentFont = false;
    FontChanged();
}

void TControl::FontChanged() { Invalidate(); }

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
    Dispatch(&m);
    return m.Result;
}

void TControl::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    TShiftState shift = ShiftFromKeys(m.WParam);
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        FClickPressed = true;
        MouseDown(mbLeft, shift, x, y);
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
    default: TComponent::Dispatch(message);
    }
}

void TControl::Click() { OnClick(this); }
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) { OnMouseDown(this, button, shift, x, y); }
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { OnMouseUp(this, button, shift, x, y); }
void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParent && FAlign != alNone) FParent->AlignControls();
}
