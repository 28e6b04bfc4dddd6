// TForm: a top-level window built from its form resource. Close hides a
// form, or ends the program when it is the application's main form.
// ShowModal shows it with the program's other windows disabled until
// its ModalResult is set (by a button's ModalResult, or closing it:
// mrCancel). It keeps the control that has the focus while it is away.
#pragma once
#include "framework/controls/graphic_control.h"

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
FRAME_TYPE_INFO(TFormBorderStyle);
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
FRAME_TYPE_INFO(TWindowState);
enum TPosition : uint8_t { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter };
FRAME_TYPE_INFO(TPosition);
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrAll = 8;

// A form's scroll bar settings; streamed as HorzScrollBar.Visible etc.
class TControlScrollBar : public TPersistent {
    FRAME_CLASS(TControlScrollBar, TPersistent)
public:
    ~TControlScrollBar() override;
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    int Range() const { return FRange; }
    void SetRange(int value) { FRange = value; }
    void Assign(const TPersistent* source) override;

private:
    bool FVisible = true;
    int FRange = 0;
};

class TForm;
// The form a control sits on (nullptr when it is on none).
TForm* GetParentForm(TControl* control);

class TForm : public TCustomControl {
    FRAME_CLASS(TForm, TCustomControl)
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Reads the form resource named after the class (upper case), then
    // fires OnCreate.
    void AfterConstruction() override;

    void Show();
    void Hide();
    void Close();
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    // Setting it gives that control the focus (once the form shows).
    void SetActiveControl(TWinControl* control);

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int value) { FTextHeight = value; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    // Kept for forms that set it: a form shows no scroll bars of its own.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value) { FAutoScroll = value; }
    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    void SetHorzScrollBar(TControlScrollBar* value) { FHorzScrollBar->Assign(value); }
    void SetVertScrollBar(TControlScrollBar* value) { FVertScrollBar->Assign(value); }

    void SetVisible(bool value) override;
    std::vector<TComponent*> GetChildren(TComponent* root) const override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnPaint;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void Dispatch(void* message) override;
    void FocusReceived() override;
    void FocusLost(HWND next) override;
    void PreviewKey(char& key) override;
    virtual void DoShow();
    virtual void DoHide();

private:
    void PlaceOnScreen();
    void ApplyWindowState();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TWindowState FWindowState = wsNormal;
    TPosition FPosition = poDesigned;
    int FPixelsPerInch = 96;
    int FTextHeight = 13;
    bool FKeyPreview = false;
    bool FAutoScroll = true;
    TModalResult FModalResult = 0;
    bool FPlaced = false;
    bool FInModalLoop = false;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
};
