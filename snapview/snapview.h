// TSnapview: the clipboard-viewer control. It carries the state and serves
// ISnapview itself; every other interface a container uses is served by a
// small implementation object that reaches this state through Owner.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include "SnapviewLibrary.h"

namespace snapview {

class TImpIOleObject;
class TImpIPersistStreamInit;
class TImpIOleControl;
class TImpIOleInPlaceObject;
class TImpIConnPtCont;
class TImpIConnectionPoint;
class TImpIDispatch;
class TSnapview;

using DestroyFunction = void (*)();

// The data cache's outer unknown. Its queries answer for the whole object
// (the controlling unknown), and so do its counts, except while the control
// is being initialised: then the cache's references (the first grab takes
// and drops one) count on the control alone, so that an outer object sees
// no reference come and go before CreateInstance has handed it the control.
class TCacheOuter final : public IUnknown {
public:
    explicit TCacheOuter(TSnapview* owner) : Owner(owner) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

private:
    IUnknown* Counted();
    TSnapview* Owner;
};

class TSnapview final : public ISnapview {
public:
    TSnapview(IUnknown* outer, DestroyFunction destroyCallback);

    HRESULT Init();
    // Frees the control and what it holds without the destruction
    // callback: for a control whose creation failed.
    void Destroy();

    // The control's own (non-delegating) unknown.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // Returns a copy the caller frees, as automation callers do.
    BSTR STDMETHODCALLTYPE get_Title() override;
    void STDMETHODCALLTYPE put_Title(BSTR title) override;
    STDMETHODIMP GrabFromClipboard() override;
    STDMETHODIMP AboutBox() override;

    HRESULT InPlaceActivate(IOleClientSite* activeSite);
    IUnknown* Controlling() { return OuterUnknown ? OuterUnknown : this; }

    // State shared with the implementation objects.
    LONG RefCount = 0;
    IUnknown* DataCache = nullptr;
    IUnknown* OuterUnknown = nullptr;
    TImpIOleObject* OleObject = nullptr;
    IUnknown* StdDispatch = nullptr;
    IOleClientSite* ClientSite = nullptr;
    IOleAdviseHolder* AdviseHolder = nullptr;
    ITypeInfo* TypeInfo = nullptr;
    TImpIPersistStreamInit* PersistStreamInit = nullptr;
    TImpIOleControl* OleControl = nullptr;
    TImpIOleInPlaceObject* InPlaceObject = nullptr;
    TImpIConnPtCont* ConnPtCont = nullptr;
    TImpIConnectionPoint* ConnectionPoint = nullptr;
    IUnknown* EventSink = nullptr;
    IOleInPlaceSite* InPlaceSite = nullptr;
    CLSID ClassId;
    DestroyFunction DestroyCallback = nullptr;
    BSTR Title = nullptr;
    BYTE InPlaceActive = 0;
    HWND Window = nullptr;
    // Hands out IDispatch with the control's identity and lifetime.
    TImpIDispatch* Dispatch = nullptr;
    TCacheOuter CacheOuter{this};
    bool Initialising = false;

private:
    ~TSnapview();
    void FreeImplementationObjects();
    HRESULT CreateImplementationObjects();
    HRESULT LoadTypeInfo();
};

// The control whose data every control window draws: the one constructed
// last. Set back to null when that control is destroyed, so that no window
// draws through a dead control (each then draws its own control's data).
extern TSnapview* CurrentControl;

// The library's module instance, for the control's window.
extern HINSTANCE ModuleInstance;

}  // namespace snapview
