// Exposing a framework control as an embeddable control. A class names
// the framework control it wraps, its identifiers, its maps and its
// interface; the adapter brings the rest:
//
//   class TThingXImpl
//       : public TFrameControlImpl<TThingXImpl, TThing, &CLSID_ThingX, &IID_IThingX,
//                                  &DIID_IThingXEvents, &LIBID_ThingLib>,
//         public CComCoClass<TThingXImpl, &CLSID_ThingX>,
//         public IDispatchImpl<TplInterface<TThingXImpl, IThingX>, &IID_IThingX, &LIBID_ThingLib>,
//         ... {
//       static const TControlRegistration& GetRegistration();   // ProgID, bitmap, status, verbs
//       STDMETHOD(put_Speed)(long v) override {
//           return PutFrameProperty(1, [&] { FrameControl()->SetSpeed(v); });
//       }
//   };
//
// TFrameComControl is the control base over the framework control: the
// creation steps, in-place activation of its window, drawing, ambient
// properties and its window hook (TFrameControlHost does the work).
// TFrameControlImpl adds the stock embedding interfaces, persistence as
// the framework's binary component image, the put protocol and the
// registration through the registrar chain.
#pragma once
#include "bridge/frame_control_host.h"
#include "bridge/frame_errors.h"
#include "bridge/registrars.h"
#include "templates/templates.h"

// The window part of the control base for a control whose window belongs
// to its framework control: the framework makes it and gets its messages.
class TFrameWindowSlot {
public:
    HWND m_hWnd = nullptr;
    void DetachAndDestroy() {}
    BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD = 0) { return FALSE; }
};

template <class T, class TFrameControl>
class TFrameComControl : public CComControl<T, TFrameWindowSlot> {
public:
    // Window-only: a framework control always has a window of its own.
    TFrameComControl() : FHost(*this) { this->m_bWindowOnly = 1; }
    // The control and its window go before the control base ends.
    ~TFrameComControl() override {
        FHost.Destroy();
        this->m_hWnd = nullptr;
    }

    TFrameControl* FrameControl() const { return static_cast<TFrameControl*>(FHost.Control()); }

    // The creation steps, then the class's own initialisation step
    // (InitializeControl, which a class may hide). Raises on failure.
    void CreateFrameControl() {
        FHost.Create(TFrameControl::StaticClass());
        static_cast<T*>(this)->InitializeControl();
    }
    void InitializeControl() {}

    // The control base's creation of the control window, at activation.
    HWND Create(HWND parent, const RECT& position) {
        this->m_hWnd = FHost.Activate(parent, position);
        return this->m_hWnd;
    }
    void DestroyControlWindow() override {
        FHost.Park();
        this->m_hWnd = nullptr;
    }
    HRESULT IOleInPlaceObject_SetObjectRects(LPCRECT position, LPCRECT clip) {
        HRESULT hr = CComControlBase::IOleInPlaceObject_SetObjectRects(position, clip);
        if (SUCCEEDED(hr) && this->m_hWndCD) FHost.SetBounds(*position);
        return hr;
    }
    HRESULT OnDraw(TplDrawInfo& di) override {
        FHost.Draw(di.hdcDraw, *di.prcBounds);
        return S_OK;
    }
    void OnAmbientPropertyChanged(DISPID id) override {
        try {
            FHost.AmbientChanged(id);
        } catch (const std::exception&) {
            // A notice of the container's: nothing to report it to.
        }
    }

protected:
    TFrameControlHost& Host() { return FHost; }

private:
    TFrameControlHost FHost;
};

template <class T, class TFrameControl, const CLSID* pclsid, const IID* piid, const IID* peventsid,
          const GUID* plibid>
class TFrameControlImpl : public CComObjectRootEx<CComSingleThreadModel>,
                          public TFrameComControl<T, TFrameControl>,
                          public IPersistStreamInitImpl<T>,
                          public IPersistStorageImpl<T>,
                          public IQuickActivateImpl<T>,
                          public IOleControlImpl<T>,
                          public IOleObjectImpl<T>,
                          public IOleInPlaceActiveObjectImpl<T>,
                          public IViewObjectExImpl<T>,
                          public IOleInPlaceObjectWindowlessImpl<T>,
                          public IDataObjectImpl<T>,
                          public ISimpleFrameSiteImpl<T>,
                          public ISpecifyPropertyPagesImpl<T>,
                          public ISupportErrorInfoImpl<T>,
                          public IConnectionPointContainerImpl<T> {
public:
    static HRESULT WINAPI UpdateRegistry(BOOL doRegister) {
        return bridge::UpdateControlRegistry(doRegister, tpl::CurrentModule().GetModuleInstance(), *pclsid,
                                             T::GetRegistration());
    }

    // The class's own status bits, registered or not: the registration's
    // value for the content aspect, none for the others.
    STDMETHOD(GetMiscStatus)(DWORD aspect, DWORD* status) override {
        TPL_TRACE_METHOD("TFrameControlImpl::GetMiscStatus");
        if (!status) return E_POINTER;
        *status = aspect == DVASPECT_CONTENT ? T::GetRegistration().miscStatus : 0;
        return S_OK;
    }

    HRESULT FinalConstruct() {
        return FrameCall([this] { this->CreateFrameControl(); });
    }

    // The framework control's published values as its binary component
    // image; what fails is reported as any framework exception.
    HRESULT IPersistStreamInit_Load(IStream* stream) {
        if (!stream) return E_POINTER;
        return FrameCall([&] { this->Host().Load(stream); });
    }
    HRESULT IPersistStreamInit_Save(IStream* stream, BOOL clearDirty) {
        if (!stream) return E_POINTER;
        HRESULT hr = FrameCall([&] { this->Host().Save(stream); });
        if (SUCCEEDED(hr) && clearDirty) this->SetDirty(FALSE);
        return hr;
    }

protected:
    // A call into the framework control: S_OK, or its exception as error
    // information and DISP_E_EXCEPTION.
    template <class Call>
    HRESULT FrameCall(Call&& call) {
        return bridge::FrameCall(*piid, T::GetRegistration().progId, call);
    }
    // A property write: any property-change sink may refuse it (S_FALSE,
    // nothing changed); then the framework control's setter, then every
    // sink hears of the change. No dirty flag, no view change: the
    // framework control repaints its own window.
    template <class Set>
    HRESULT PutFrameProperty(DISPID id, Set&& set) {
        if (this->FireOnRequestEdit(id) == S_FALSE) return S_FALSE;
        HRESULT hr = FrameCall(set);
        if (FAILED(hr)) return hr;
        this->FireOnChanged(id);
        return S_OK;
    }
    // A read that may raise.
    template <class Value, class Get>
    HRESULT GetFrameProperty(Value* out, Get&& get) {
        if (!out) return E_POINTER;
        return FrameCall([&] { *out = get(); });
    }
};
