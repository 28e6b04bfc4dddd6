// The least an in-process embeddable object can be and still go through a
// control's cycle: made by its class factory, initialised new, activated in
// place in a child window of its own, drawn into a device context and
// released. The benchmark compares each control's cycle with this one, so
// it makes the same platform calls a control makes and nothing more.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include "minimal_object.h"

namespace {

LONG objectsAlive = 0;
HMODULE thisModule = nullptr;
const char* const kWindowClass = "BenchMinimalObject";

LRESULT CALLBACK MinimalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterWindowClassOnce() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = MinimalWindowProc;
        windowClass.hInstance = thisModule;
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

class MinimalObject : public IOleObject, public IOleInPlaceObject, public IViewObject, public IPersistStreamInit {
public:
    MinimalObject() { InterlockedIncrement(&objectsAlive); }
    virtual ~MinimalObject() {
        InPlaceDeactivate();
        if (site_) site_->Release();
        InterlockedDecrement(&objectsAlive);
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IOleObject) *out = static_cast<IOleObject*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) *out = static_cast<IOleInPlaceObject*>(this);
        else if (iid == IID_IViewObject) *out = static_cast<IViewObject*>(this);
        else if (iid == IID_IPersist || iid == IID_IPersistStreamInit) *out = static_cast<IPersistStreamInit*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleObject: a client site, in-place activation, close; the rest is
    // not needed by a container's cycle.
    STDMETHODIMP SetClientSite(IOleClientSite* site) override {
        if (site) site->AddRef();
        if (site_) site_->Release();
        site_ = site;
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** out) override {
        if (!out) return E_POINTER;
        *out = site_;
        if (site_) site_->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override { return InPlaceDeactivate(); }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) override {
        if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW) return OLEOBJ_S_INVALIDVERB;
        if (window_) return S_OK;
        IOleInPlaceSite* inPlace = nullptr;
        if (!site || FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace))))
            return E_NOINTERFACE;
        HRESULT result = inPlace->CanInPlaceActivate();
        if (result == S_OK) result = inPlace->OnInPlaceActivate();
        if (SUCCEEDED(result)) {
            IOleInPlaceFrame* frame = nullptr;
            IOleInPlaceUIWindow* document = nullptr;
            RECT where{}, clip{};
            OLEINPLACEFRAMEINFO info{sizeof info, FALSE, nullptr, nullptr, 0};
            inPlace->GetWindowContext(&frame, &document, &where, &clip, &info);
            if (frame) frame->Release();
            if (document) document->Release();
            if (position) where = *position;
            RegisterWindowClassOnce();
            window_ = CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, where.left, where.top,
                                      where.right - where.left, where.bottom - where.top, parent, nullptr, thisModule,
                                      nullptr);
            if (window_) {
                inPlaceSite_ = inPlace;
                inPlace = nullptr;
            } else {
                inPlace->OnInPlaceDeactivate();
                result = E_FAIL;
            }
        }
        if (inPlace) inPlace->Release();
        return result;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* out) override { return GetClassID(out); }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL* out) override {
        if (!out) return E_POINTER;
        *out = {2646, 1588};
        return S_OK;
    }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* out) override {
        if (!out) return E_POINTER;
        *out = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_ACTIVATEWHENVISIBLE;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow and IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* out) override {
        if (!out) return E_POINTER;
        *out = window_;
        return window_ ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override {
        if (!window_) return S_OK;
        DestroyWindow(window_);
        window_ = nullptr;
        inPlaceSite_->OnInPlaceDeactivate();
        inPlaceSite_->Release();
        inPlaceSite_ = nullptr;
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT) override {
        if (window_ && position)
            MoveWindow(window_, position->left, position->top, position->right - position->left,
                       position->bottom - position->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IViewObject: a white rectangle with a black frame.
    STDMETHODIMP Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                      BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override {
        if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        if (!dc || !bounds) return E_INVALIDARG;
        RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return S_OK;
    }
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return S_FALSE; }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD, DWORD, IAdviseSink*) override { return E_NOTIMPL; }
    STDMETHODIMP GetAdvise(DWORD*, DWORD*, IAdviseSink**) override { return E_NOTIMPL; }

    // IPersistStreamInit: nothing to keep.
    STDMETHODIMP GetClassID(CLSID* out) override {
        if (!out) return E_POINTER;
        *out = CLSID_BenchMinimalObject;
        return S_OK;
    }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM) override { return S_OK; }
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return S_OK; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* out) override {
        if (!out) return E_POINTER;
        out->QuadPart = 0;
        return S_OK;
    }
    STDMETHODIMP InitNew() override { return S_OK; }

private:
    LONG refs_ = 1;
    IOleClientSite* site_ = nullptr;
    IOleInPlaceSite* inPlaceSite_ = nullptr;
    HWND window_ = nullptr;
};

class MinimalFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = this;
        return S_OK;
    }
    // The factory is static: it lives as long as the module.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* object = new MinimalObject;
        HRESULT result = object->QueryInterface(iid, out);
        object->Release();
        return result;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

MinimalFactory factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) thisModule = instance;
    if (reason == DLL_PROCESS_DETACH) UnregisterClassA(kWindowClass, instance);
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_BenchMinimalObject) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() { return objectsAlive == 0 ? S_OK : S_FALSE; }
