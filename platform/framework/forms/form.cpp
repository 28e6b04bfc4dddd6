#include "framework/forms/form.h"

#include "framework/classes/published.h"
#include "framework/controls/menus.h"
#include "framework/forms/application.h"
#include "framework/forms/dialog_seam.h"
#include "framework/streaming/form_resource.h"
#include "framework/system/exception_hook.h"

FRAME_DEFINE_ENUM_INFO(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
                       "bsSizeToolWin")
FRAME_DEFINE_ENUM_INFO(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")
FRAME_DEFINE_ENUM_INFO(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                       "poScreenCenter", "poDesktopCenter")

const TClassInfo& TControlScrollBar::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TControlScrollBar>::Abstract("TControlScrollBar", TPersistent::StaticClass(), [](auto& c) {
            c.Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange);
            c.Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
        });
    return info;
}

TControlScrollBar::~TControlScrollBar() = default;

void TControlScrollBar::Assign(const TPersistent* source) {
    if (auto other = ObjectAs<TControlScrollBar>(const_cast<TPersistent*>(source))) {
        FVisible = other->FVisible;
        FRange = other->FRange;
        return;
    }
    TPersistent::Assign(source);
}

const TClassInfo& TForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TForm>::Creatable("TForm", TCustomControl::StaticClass(), [](auto& c) {
        // A form stores its client size; the outer size follows from the border.
        c.Property("Width", &TControl::Width, &TControl::SetWidth).Stored(false);
        c.Property("Height", &TControl::Height, &TControl::SetHeight).Stored(false);
        c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(false);
        c.Property("HorzScrollBar", &TForm::HorzScrollBar, &TForm::SetHorzScrollBar);
        c.Property("VertScrollBar", &TForm::VertScrollBar, &TForm::SetVertScrollBar);
        c.Property("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll).Default(true);
        c.Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle).Default(bsSizeable);
        c.Property("Caption", &TControl::Caption, &TControl::SetCaption);
        c.Property("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight).NoDefault();
        c.Property("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth).NoDefault();
        c.Property("ActiveControl", &TWinControl::ActiveControl, &TForm::SetActiveControl);
        c.Property("Color", &TControl::Color, &TControl::SetColor).Default(clBtnFace);
        c.Property("Font", &TControl::Font, &TControl::SetFont);
        c.Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview);
        c.Property("Position", &TForm::Position, &TForm::SetPosition).Default(poDesigned);
        c.Property("WindowState", &TForm::WindowState, &TForm::SetWindowState).Default(wsNormal);
        c.Property("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch).NoDefault();
        c.Property("TextHeight", &TForm::TextHeight, &TForm::SetTextHeight).NoDefault();
        c.Property("OnCreate", &TForm::OnCreate);
        c.Property("OnDestroy", &TForm::OnDestroy);
        c.Property("OnShow", &TForm::OnShow);
        c.Property("OnHide", &TForm::OnHide);
        c.Property("OnPaint", &TForm::OnPaint);
        c.Property("OnKeyPress", &TWinControl::OnKeyPress);
    });
    return info;
}

TForm::TForm(TComponent* owner)
    : TCustomControl(owner), FHorzScrollBar(std::make_unique<TControlScrollBar>()),
      FVertScrollBar(std::make_unique<TControlScrollBar>()) {
    FVisible = false;
    FColor = clBtnFace;
    FParentColor = false;
    FParentFont = false;
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
    try {
        OnDestroy(this);
    } catch (...) {
        HandleEventException();  // a destructor must not throw; the error is still shown
    }
    if (Application) Application->FormDestroyed(this);
}

void TForm::AfterConstruction() {
    TCustomControl::AfterConstruction();
    if (&ClassType() != &TForm::StaticClass()) ReadFormResource(this);
    OnCreate(this);
}

void TForm::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.WndParent = nullptr;
    params.Style = WS_CLIPCHILDREN;
    params.ExStyle = 0;
    switch (FBorderStyle) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER; break;
    case bsSizeable: params.Style |= WS_OVERLAPPEDWINDOW; break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == FBorderStyle) return;
    // The client area keeps its size across a change of border.
    int cw = ClientWidth(), ch = ClientHeight();
    FBorderStyle = value;
    if (HandleAllocated()) {
        DestroyHandle();
        HandleNeeded();
        if (FVisible) ApplyWindowState();
    }
    SetClientWidth(cw);
    SetClientHeight(ch);
}

void TForm::SetWindowState(TWindowState value) {
    if (value == FWindowState) return;
    FWindowState = value;
    if (FVisible && HandleAllocated()) ApplyWindowState();
}

void TForm::ApplyWindowState() {
    static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), commands[FWindowState]);
    UpdateBoundsFromWindow();
}

void TForm::PlaceOnScreen() {
    if (FPlaced) return;
    FPlaced = true;
    if (FPosition == poScreenCenter || FPosition == poDesktopCenter)
        SetBounds((GetSystemMetrics(SM_CXSCREEN) - FWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - FHeight) / 2,
                  FWidth, FHeight);
}

void TForm::SetVisible(bool value) {
    if (value == FVisible) return;
    if (value) {
        PlaceOnScreen();
        HandleNeeded();
        FVisible = true;
        DoShow();
        if (FVisible) ApplyWindowState();  // OnShow may have hidden it again
    } else {
        FVisible = false;
        if (HandleAllocated()) ShowWindow(FHandle, SW_HIDE);
        DoHide();
    }
}

void TForm::Show() {
    SetVisible(true);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
}

void TForm::Hide() { SetVisible(false); }

void TForm::Close() {
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (FInModalLoop && FModalResult == mrNone) FModalResult = mrCancel;  // closing a modal form cancels it
    Hide();
}

namespace {

// The windows of this thread a modal form disables while it runs, and
// enables again however it ends.
class TDisabledWindows {
public:
    explicit TDisabledWindows(HWND modal) : FModal(modal) {
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
        for (HWND w : FWindows) EnableWindow(w, FALSE);
    }
    ~TDisabledWindows() {
        for (HWND w : FWindows)
            if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM param) {
        auto self = reinterpret_cast<TDisabledWindows*>(param);
        if (window != self->FModal && IsWindowVisible(window) && IsWindowEnabled(window))
            self->FWindows.push_back(window);
        return TRUE;
    }
    HWND FModal;
    std::vector<HWND> FWindows;
};

}  // namespace

TModalResult TForm::ShowModal() {
    if (FVisible) throw EInvalidOperation("Cannot make a visible window modal");
    FModalResult = mrNone;
    TDialogQuestion question;
    question.Kind = TDialogKind::Form;
    question.Caption = FCaption;
    question.Form = this;
    if (std::optional<TDialogAnswer> answer = AskDialogAnswerer(question)) {
        if (answer->Result != mrNone) FModalResult = answer->Result;
        return FModalResult != mrNone ? FModalResult : mrCancel;
    }
    HWND previous = GetActiveWindow();
    {
        TDisabledWindows disabled(Handle());
        Show();
        FInModalLoop = true;
        try {
            while (FModalResult == mrNone && FVisible && !Application->Terminated()) Application->HandleMessage();
        } catch (...) {
            FInModalLoop = false;
            Hide();
            throw;
        }
        FInModalLoop = false;
    }
    // The other windows are enabled before this one hides, so that the
    // one that was active before becomes active again.
    Hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    return FModalResult != mrNone ? FModalResult : mrCancel;
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control == FActiveControl) return;
    if (control && (control == this || !ContainsControl(control)))
        throw EInvalidOperation("The active control must be a control of the form");
    if (!control || HasState(csLoading) || !Showing()) {
        FActiveControl = control;
        return;
    }
    control->SetFocus();
}

// The form's own window got the focus: it goes on to the control that
// had it last, or the first one in the tab order.
void TForm::FocusReceived() {
    if (FActiveControl && FActiveControl->CanFocus()) {
        ::SetFocus(FActiveControl->Handle());
        return;
    }
    FActiveControl = nullptr;
    SelectNext(nullptr, true, true);
}

void TForm::FocusLost(HWND) {}

void TForm::PreviewKey(char& key) {
    if (FKeyPreview) KeyPress(key);
}

std::vector<TComponent*> TForm::GetChildren(TComponent* root) const {
    // Components that are not controls first, then the controls in order.
    std::vector<TComponent*> result;
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        auto item = ObjectAs<TMenuItem>(c);
        if (!ObjectAs<TControl>(c) && !(item && item->Parent())) result.push_back(c);  // items go in their menu
    }
    for (TComponent* c : TCustomControl::GetChildren(root)) result.push_back(c);
    return result;
}

void TForm::Paint() { OnPaint(this); }

void TForm::Dispatch(void* message) {
    auto& m = *static_cast<TMessage*>(message);
    if (m.Msg == WM_CLOSE) {
        Close();
        return;
    }
    TCustomControl::Dispatch(message);
}

void TForm::DoShow() { OnShow(this); }
void TForm::DoHide() { OnHide(this); }

TForm* GetParentForm(TControl* control) {
    if (!control) return nullptr;
    TWinControl* top = ObjectAs<TWinControl>(control) ? static_cast<TWinControl*>(control) : control->Parent();
    return top ? ObjectAs<TForm>(top->TopLevelControl()) : nullptr;
}
