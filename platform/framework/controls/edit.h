// TEdit: a one-line text box over the platform's EDIT class. Text is
// what the box holds (what the user typed, while it has a window);
// OnChange runs on every change of it, typed or set.
#pragma once
#include "framework/controls/win_control.h"

class TEdit : public TWinControl {
    FRAME_CLASS(TEdit, TWinControl)
public:
    explicit TEdit(TComponent* owner);
    ~TEdit() override;

    // Characters the user may type; 0: as many as the platform allows.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int value);
    void SetSelLength(int value);
    void SelectAll();
    void Clear() { SetText(""); }

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void SaveWindowState() override;
    void Dispatch(void* message) override;
    virtual void Change();

private:
    int FMaxLength = 0;
    bool FReadOnly = false;
};
