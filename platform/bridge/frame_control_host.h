// What the adapter does with the framework control it exposes, apart from
// any class: makes it parked in the framework's parking window (inside a
// reflector window when its control style asks for one), puts the hosting
// window into the container's window and takes it back, paints it into a
// device context, hands ambient changes on as the framework's parent-colour
// and parent-font notifications, hooks its window procedure, and saves and
// loads it as a binary component image.
#pragma once
#include <windows.h>
#include <ole2.h>

#include "framework/framework.h"

class CComControlBase;
class TReflectorWindow;

class TFrameControlHost : public TObject {
public:
    // The control base is told of focus changes (IOleControlSite::OnFocus).
    explicit TFrameControlHost(CComControlBase& control);
    ~TFrameControlHost() override;

    // The creation steps: the control in the parking window, the reflector
    // when the control asks for one, the window procedure hooked.
    // Framework exceptions pass through.
    void Create(const TClassInfo& controlClass);
    // Restores the control's window procedure, frees the control, then
    // the reflector.
    void Destroy();

    TWinControl* Control() const { return FControl; }
    // The control itself, or the reflector around it.
    TWinControl* HostingWindow() const;

    // In-place activation: the hosting window inside the container's
    // window at the position, made if need be, visible; its handle.
    HWND Activate(HWND parent, const RECT& position);
    void SetBounds(const RECT& position);
    // The window destroyed, the control back in the parking window until
    // the next activation.
    void Park();
    // The control as it looks, at the bounds' top-left, at its own size.
    void Draw(HDC dc, const RECTL& bounds);
    // The container changed an ambient property (DISPID_UNKNOWN: all).
    void AmbientChanged(DISPID id);

    // The control's published values as a binary component image.
    void Save(IStream* stream);
    void Load(IStream* stream);

private:
    void HookedWindowProc(TMessage& message);

    CComControlBase& FOwner;
    TWinControl* FControl = nullptr;
    TReflectorWindow* FReflector = nullptr;
    TWndMethod FSavedWindowProc;
};
