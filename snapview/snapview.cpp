#include "snapview.h"

#include "iconnpt.h"
#include "idispatch.h"
#include "iipobj.h"
#include "iolecont.h"
#include "ioleobj.h"
#include "iperstmi.h"
#include "null_reference.h"
#include "trace.h"

#include <new>

SNAPVIEW_TRACE_MODULE("SNAPVIEW");

namespace snapview {

TSnapview* CurrentControl = nullptr;

namespace {

LRESULT CALLBACK ControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    TSnapview* source = CurrentControl;
    if (!source) source = reinterpret_cast<TSnapview*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Nothing drawable cached is not an error: the window just stays blank.
    if (source && source->DataCache) OleDraw(source->DataCache, DVASPECT_CONTENT, dc, &client);
    EndPaint(window, &paint);
    return 0;
}

struct ClipboardChoice {
    CLIPFORMAT format;
    DWORD tymed;
};

// Pictures before text; a metafile keeps its scale, so it comes first.
constexpr ClipboardChoice kClipboardChoices[] = {
    {CF_METAFILEPICT, TYMED_MFPICT},
    {CF_DIB, TYMED_HGLOBAL},
    {CF_BITMAP, TYMED_GDI},
    {CF_UNICODETEXT, TYMED_HGLOBAL},
};

// OleDuplicateData in some runtimes gives back nothing for a metafile
// picture; copying it by hand keeps that format usable there.
HANDLE DuplicateMetafilePicture(HANDLE source) {
    const auto* picture = static_cast<const METAFILEPICT*>(GlobalLock(source));
    if (!picture) return nullptr;
    METAFILEPICT copy = *picture;
    GlobalUnlock(source);
    copy.hMF = CopyMetaFileW(copy.hMF, nullptr);
    if (!copy.hMF) return nullptr;
    HGLOBAL target = GlobalAlloc(GMEM_MOVEABLE, sizeof copy);
    void* bytes = target ? GlobalLock(target) : nullptr;
    if (!bytes) {
        if (target) GlobalFree(target);
        DeleteMetaFile(copy.hMF);
        return nullptr;
    }
    *static_cast<METAFILEPICT*>(bytes) = copy;
    GlobalUnlock(target);
    return target;
}

HANDLE DuplicateClipboardData(HANDLE data, CLIPFORMAT format) {
    HANDLE copy = OleDuplicateData(data, format, 0);
    if (!copy && format == CF_METAFILEPICT) copy = DuplicateMetafilePicture(data);
    return copy;
}

template <typename T>
void ReleaseAndClear(T*& p) {
    if (p) {
        p->Release();
        p = nullptr;
    }
}

}  // namespace

IUnknown* TCacheOuter::Counted() {
    return Owner->Initialising ? static_cast<IUnknown*>(Owner) : Owner->Controlling();
}
STDMETHODIMP TCacheOuter::QueryInterface(REFIID riid, void** ppv) {
    return Owner->Controlling()->QueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) TCacheOuter::AddRef() { return Counted()->AddRef(); }
STDMETHODIMP_(ULONG) TCacheOuter::Release() { return Counted()->Release(); }

TSnapview::TSnapview(IUnknown* outer, DestroyFunction destroyCallback)
    : OuterUnknown(outer), ClassId(CLSID_Snapview), DestroyCallback(destroyCallback) {
    CurrentControl = this;
}

TSnapview::~TSnapview() {
    if (CurrentControl == this) CurrentControl = nullptr;
    // The window goes first: it paints from the data cache.
    if (Window && IsWindow(Window)) DestroyWindow(Window);
    Window = nullptr;
    ReleaseAndClear(DataCache);
    ReleaseAndClear(StdDispatch);
    ReleaseAndClear(TypeInfo);
    FreeImplementationObjects();
    // A dying control gives back everything it was handed.
    ReleaseAndClear(ClientSite);
    ReleaseAndClear(InPlaceSite);
    ReleaseAndClear(AdviseHolder);
    SysFreeString(Title);
    Title = nullptr;
}

void TSnapview::Destroy() { delete this; }

HRESULT TSnapview::CreateImplementationObjects() {
    IUnknown* controlling = Controlling();
    OleObject = new (std::nothrow) TImpIOleObject(this, controlling);
    if (OleObject) PersistStreamInit = new (std::nothrow) TImpIPersistStreamInit(this, controlling);
    if (PersistStreamInit) OleControl = new (std::nothrow) TImpIOleControl(this, controlling);
    if (OleControl) InPlaceObject = new (std::nothrow) TImpIOleInPlaceObject(this, controlling);
    if (InPlaceObject) ConnPtCont = new (std::nothrow) TImpIConnPtCont(this, controlling);
    if (ConnPtCont) ConnectionPoint = TImpIConnectionPoint::Create(this);
    if (ConnectionPoint) Dispatch = new (std::nothrow) TImpIDispatch(this, controlling);
    if (!Dispatch) {
        FreeImplementationObjects();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

void TSnapview::FreeImplementationObjects() {
    delete PersistStreamInit;
    PersistStreamInit = nullptr;
    delete OleControl;
    OleControl = nullptr;
    delete OleObject;
    OleObject = nullptr;
    delete InPlaceObject;
    InPlaceObject = nullptr;
    delete ConnPtCont;
    ConnPtCont = nullptr;
    delete Dispatch;
    Dispatch = nullptr;
    // The connection point lets go of a connected sink, and goes itself
    // unless a client still holds it.
    if (ConnectionPoint) {
        ConnectionPoint->DetachFromOwner();
        ConnectionPoint = nullptr;
    }
}

HRESULT TSnapview::LoadTypeInfo() {
    ITypeLib* library = nullptr;
    HRESULT hr = LoadRegTypeLib(LIBID_SnapviewLibrary, 1, 0, LOCALE_NEUTRAL, &library);
    if (FAILED(hr)) return hr;
    hr = library->GetTypeInfoOfGuid(IID_ISnapview, &TypeInfo);
    library->Release();
    return hr;
}

HRESULT TSnapview::Init() {
    TRACE("TSnapview::Init");
    HRESULT hr = CreateImplementationObjects();
    if (FAILED(hr)) return hr;
    // The data cache is aggregated (through CacheOuter) with the whole
    // object, so that its interfaces answer for, and count on, it: inside
    // an aggregate they too must lead back to the outer object and keep it
    // alive. Meanwhile the grab's query and release of IOleCache pass
    // through RefCount; the control holds one reference of its own so that
    // they cannot destroy it, and gives it back quietly once the step is
    // done: the client's final Release then destroys it.
    ++RefCount;
    Initialising = true;
    hr = CreateDataCache(&CacheOuter, ClassId, IID_IUnknown, reinterpret_cast<void**>(&DataCache));
    if (SUCCEEDED(hr)) hr = GrabFromClipboard();
    if (SUCCEEDED(hr)) hr = LoadTypeInfo();
    if (SUCCEEDED(hr)) {
        hr = CreateStdDispatch(Controlling(), static_cast<ISnapview*>(this), TypeInfo,
                               &StdDispatch);
    }
    Initialising = false;
    --RefCount;
    if (FAILED(hr)) {
        FreeImplementationObjects();
        return hr;
    }
    return S_OK;
}

STDMETHODIMP TSnapview::QueryInterface(REFIID riid, void** ppv) {
    TRACE("QueryInterface riid=" << IdField{riid});
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsNull(riid)) return E_POINTER;
    IUnknown* found = nullptr;
    if (IsEqualIID(riid, IID_IUnknown)) {
        found = this;
    } else if (IsEqualIID(riid, IID_IOleObject)) {
        found = OleObject;
    } else if (IsEqualIID(riid, IID_IPersistStreamInit)) {
        found = PersistStreamInit;
    } else if (IsEqualIID(riid, IID_IOleControl)) {
        found = OleControl;
    } else if (IsEqualIID(riid, IID_IOleInPlaceObject)) {
        found = InPlaceObject;
    } else if (IsEqualIID(riid, IID_IConnectionPointContainer)) {
        found = ConnPtCont;
    } else if (IsEqualIID(riid, IID_IDispatch)) {
        found = Dispatch;
    } else if (IsEqualIID(riid, IID_ISnapview)) {
        // Our vtable is ISnapview, but its IUnknown slots are the inner
        // unknown: inside an aggregate handing it out would split the
        // object's identity, so only a stand-alone control serves it.
        if (!OuterUnknown) found = this;
    } else if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2) ||
               IsEqualIID(riid, IID_IOleCache) || IsEqualIID(riid, IID_IOleCache2) ||
               IsEqualIID(riid, IID_IOleCacheControl) || IsEqualIID(riid, IID_IDataObject) ||
               IsEqualIID(riid, IID_IPersistStorage)) {
        return DataCache ? DataCache->QueryInterface(riid, ppv) : E_NOINTERFACE;
    }
    if (!found) return E_NOINTERFACE;
    *ppv = found;
    found->AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TSnapview::AddRef() {
    TRACE("TSnapview::AddRef " << static_cast<unsigned long>(RefCount + 1));
    return static_cast<ULONG>(++RefCount);
}

STDMETHODIMP_(ULONG) TSnapview::Release() {
    TRACE("TSnapview::Release " << static_cast<unsigned long>(RefCount - 1));
    if (--RefCount != 0) return static_cast<ULONG>(RefCount);
    if (DestroyCallback) DestroyCallback();
    delete this;
    return 0;
}

BSTR STDMETHODCALLTYPE TSnapview::get_Title() {
    TRACE("TSnapview::get_Title");
    return Title ? SysAllocString(Title) : nullptr;
}

void STDMETHODCALLTYPE TSnapview::put_Title(BSTR title) {
    SysFreeString(Title);
    Title = SysAllocString(title);
}

STDMETHODIMP TSnapview::GrabFromClipboard() {
    TRACE("TSnapview::GrabFromClipboard");
    if (!OpenClipboard(nullptr)) return E_FAIL;
    const ClipboardChoice* chosen = nullptr;
    HANDLE copy = nullptr;
    for (const ClipboardChoice& choice : kClipboardChoices) {
        if (HANDLE data = GetClipboardData(choice.format)) {
            chosen = &choice;
            // The clipboard's own handle stays the clipboard's.
            copy = DuplicateClipboardData(data, choice.format);
            break;
        }
    }
    CloseClipboard();
    if (!chosen || !copy) return E_FAIL;

    FORMATETC format{chosen->format, nullptr, DVASPECT_CONTENT, -1, chosen->tymed};
    STGMEDIUM medium{};
    medium.tymed = chosen->tymed;
    medium.hGlobal = copy;  // one union: also hBitmap and hMetaFilePict
    medium.pUnkForRelease = nullptr;

    IOleCache* cache = nullptr;
    HRESULT hr = DataCache ? DataCache->QueryInterface(IID_IOleCache, reinterpret_cast<void**>(&cache))
                           : E_UNEXPECTED;
    if (SUCCEEDED(hr)) {
        DWORD connection = 0;
        cache->Cache(&format, ADVF_PRIMEFIRST, &connection);
        hr = cache->SetData(&format, &medium, TRUE);
        cache->Release();
    }
    if (FAILED(hr)) {
        ReleaseStgMedium(&medium);
        return E_FAIL;
    }
    return S_OK;
}

STDMETHODIMP TSnapview::AboutBox() {
    MessageBoxW(nullptr, L"Quibb's Clipboard Control", L"Quibb's Clipboard Control", MB_OK);
    return S_OK;
}

HRESULT TSnapview::InPlaceActivate(IOleClientSite* activeSite) {
    TRACE("TSnapview::InPlaceActivate");
    if (!activeSite) return E_INVALIDARG;
    if (!InPlaceSite) {
        HRESULT hr = activeSite->QueryInterface(IID_IOleInPlaceSite,
                                                reinterpret_cast<void**>(&InPlaceSite));
        if (FAILED(hr)) {
            InPlaceSite = nullptr;
            return hr;
        }
    }
    HRESULT hr = InPlaceSite->CanInPlaceActivate();
    if (FAILED(hr)) return hr;
    InPlaceSite->OnInPlaceActivate();
    InPlaceActive = 1;

    HWND parent = nullptr;
    InPlaceSite->GetWindow(&parent);
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    RECT position{};
    RECT clip{};
    InPlaceSite->GetWindowContext(&frame, &document, &position, &clip, &frameInfo);
    // Not used, but the references are ours to give back.
    ReleaseAndClear(frame);
    ReleaseAndClear(document);

    Window = CreateWindowExW(0, L"button", L"Quibb's Clip Control",
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER, position.left,
                             position.top, position.right - position.left,
                             position.bottom - position.top, parent, nullptr, ModuleInstance,
                             nullptr);
    if (Window) {
        SetWindowLongPtrW(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWndProc));
    }
    // Also without a window: the container sees the same placement call
    // either way, and it does nothing while there is no window.
    InPlaceObject->SetObjectRects(&position, &clip);
    activeSite->ShowObject();
    return S_OK;
}

}  // namespace snapview
