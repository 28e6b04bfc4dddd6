// TImpIOleInPlaceObject: the in-place window's handle and its placement
// and clipping inside the container's window.
#pragma once
#include <windows.h>
#include <ole2.h>

namespace snapview {

class TSnapview;

class TImpIOleInPlaceObject : public IOleInPlaceObject {
public:
    TImpIOleInPlaceObject(TSnapview* owner, IUnknown* controllingUnknown);
    virtual ~TImpIOleInPlaceObject() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;

private:
    LONG RefCount = 0;
    TSnapview* Owner;
    IUnknown* ControllingUnknown;
};

}  // namespace snapview
