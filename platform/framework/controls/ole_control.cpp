#include "framework/controls/ole_control.h"

#include <olectl.h>

#include "framework/classes/published.h"
#include "framework/graphics/ole_font.h"
#include "framework/system/delayed_imports.h"

EOleError::EOleError(const AnsiString& message, HRESULT code) : Exception(message), FErrorCode(code) {}
EOleError::~EOleError() = default;

namespace {

[[noreturn]] void RaiseOleError(HRESULT hr) { throw EOleError(SysErrorMessage(static_cast<unsigned long>(hr)), hr); }

// Frees what the control put in the exception record and raises its
// description when it gave one.
void CheckInvoke(HRESULT hr, EXCEPINFO& exception) {
    AnsiString description = exception.bstrDescription ? FromWide(exception.bstrDescription) : AnsiString();
    HRESULT code = exception.scode ? exception.scode : hr;
    Delayed::SysFreeString(exception.bstrSource);
    Delayed::SysFreeString(exception.bstrDescription);
    Delayed::SysFreeString(exception.bstrHelpFile);
    if (SUCCEEDED(hr)) return;
    if (description.empty()) RaiseOleError(hr);
    throw EOleError(description, code);
}

// Pixels at 96 per inch to HIMETRIC.
LONG Himetric(int pixels) { return MulDiv(pixels, 2540, 96); }

}  // namespace

// The component's side of the conversation with its control: client site,
// in-place site (the component's window, no frame or menus), control site
// and ambient properties. Its references are counted but it lives as long
// as the component; the control gives them all back when it is closed.
class TOleControl::TSite : public IOleClientSite, public IOleInPlaceSite, public IOleControlSite, public IDispatch {
public:
    explicit TSite(TOleControl& owner) : FOwner(owner) {}
    virtual ~TSite() = default;
    LONG FRefs = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
            *out = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (IsEqualIID(iid, IID_IOleControlSite))
            *out = static_cast<IOleControlSite*>(this);
        else if (IsEqualIID(iid, IID_IDispatch))
            *out = static_cast<IDispatch*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++FRefs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--FRefs); }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** out) override {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = FOwner.FHandle;
        return *window ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return FOwner.FHandle ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        if (!frame || !document || !position || !clip) return E_POINTER;
        *frame = nullptr;
        *document = nullptr;
        *position = FOwner.ClientBounds();
        *clip = *position;
        if (info) {
            info->fMDIApp = FALSE;
            info->hwndFrame = FOwner.FHandle;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // IDispatch: the ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                        UINT*) override {
        if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
        Delayed::VariantInit(result);
        switch (id) {
        case DISPID_AMBIENT_BACKCOLOR:
            V_VT(result) = VT_I4;
            V_I4(result) = static_cast<LONG>(FOwner.Color());
            return S_OK;
        case DISPID_AMBIENT_FORECOLOR:
            V_VT(result) = VT_I4;
            V_I4(result) = static_cast<LONG>(FOwner.Font()->Color());
            return S_OK;
        case DISPID_AMBIENT_FONT:
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = CreateOleFont(*FOwner.Font());
            return V_DISPATCH(result) ? S_OK : E_OUTOFMEMORY;
        case DISPID_AMBIENT_USERMODE:
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = VARIANT_TRUE;
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    TOleControl& FOwner;
};

const TClassInfo& TOleControl::StaticClass() {
    // The hosted control's own properties come from each descendant, by
    // DISPID; the framework's versions of these would only shadow them.
    static const TClassInfo info = TClassBuilder<TOleControl>::Abstract("TOleControl", TWinControl::StaticClass(), [](auto& c) {
        c.Hide("Cursor");
        c.Hide("DragCursor");
        c.Hide("DragMode");
        c.Hide("Enabled");
        c.Hide("Visible");
    });
    return info;
}

TOleControl::TOleControl(TComponent* owner) : TWinControl(owner), FSite(std::make_unique<TSite>(*this)) {}

TOleControl::TOleControl(HWND parentWindow) : TOleControl(static_cast<TComponent*>(nullptr)) {
    SetParentWindow(parentWindow);
}

TOleControl::~TOleControl() { DestroyOleObject(); }

IDispatch* TOleControl::GetDefaultDispatch() {
    if (!FOleObject) CreateOleObject();
    return FDispatch;
}

// Made from the record: created, given its site first (as its status
// asks), started empty, then activated once the component has a window.
void TOleControl::CreateOleObject() {
    if (!FControlData) InitControlData();
    IOleObject* object = nullptr;
    HRESULT hr = Delayed::CoCreateInstance(FControlData->ClassID, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&object));
    if (FAILED(hr)) RaiseOleError(hr);
    FOleObject = object;
    FOleObject->SetClientSite(FSite.get());
    IPersistStreamInit* persist = nullptr;
    if (SUCCEEDED(FOleObject->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
        persist->InitNew();
        persist->Release();
    }
    FOleObject->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&FDispatch));
    SIZEL extent{Himetric(Width()), Himetric(Height())};
    FOleObject->SetExtent(DVASPECT_CONTENT, &extent);
    if (FHandle) ActivateInPlace();
}

void TOleControl::ActivateInPlace() {
    RECT bounds = ClientBounds();
    FOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, FSite.get(), 0, FHandle, &bounds);
}

void TOleControl::DestroyOleObject() {
    if (FDispatch) {
        FDispatch->Release();
        FDispatch = nullptr;
    }
    if (FOleObject) {
        IOleObject* object = FOleObject;
        FOleObject = nullptr;
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        object->Release();
    }
}

void TOleControl::HandleCreated() {
    TWinControl::HandleCreated();
    if (HasState(csDesigning)) return;
    if (!FOleObject) CreateOleObject();
    else ActivateInPlace();
}

void TOleControl::SetBounds(int left, int top, int width, int height) {
    bool sized = width != Width() || height != Height();
    TWinControl::SetBounds(left, top, width, height);
    if (!FOleObject || !sized) return;
    SIZEL extent{Himetric(Width()), Himetric(Height())};
    FOleObject->SetExtent(DVASPECT_CONTENT, &extent);
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(FOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
        RECT bounds = ClientBounds();
        inPlace->SetObjectRects(&bounds, &bounds);
        inPlace->Release();
    }
}

RECT TOleControl::ClientBounds() const { return RECT{0, 0, Width(), Height()}; }

void TOleControl::GetProperty(int dispid, VARTYPE type, VARIANT& value) const {
    IDispatch* dispatch = const_cast<TOleControl*>(this)->GetDefaultDispatch();
    if (!dispatch) RaiseOleError(E_NOINTERFACE);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXCEPINFO exception{};
    Delayed::VariantInit(&value);
    HRESULT hr = dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &value,
                                  &exception, nullptr);
    if (SUCCEEDED(hr)) hr = Delayed::VariantChangeType(&value, &value, 0, type);
    if (FAILED(hr)) Delayed::VariantClear(&value);
    CheckInvoke(hr, exception);
}

void TOleControl::SetProperty(int dispid, VARIANT& value) {
    IDispatch* dispatch = GetDefaultDispatch();
    if (!dispatch) RaiseOleError(E_NOINTERFACE);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    EXCEPINFO exception{};
    HRESULT hr =
        dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, &exception, nullptr);
    CheckInvoke(hr, exception);
}

// Every typed pair reads and writes an ordinal through a variant of the
// control's own type, converted by the platform.
long TOleControl::GetOrdinal(int index, VARTYPE type) const {
    VARIANT value;
    GetProperty(index, type, value);
    Delayed::VariantChangeType(&value, &value, 0, VT_I4);
    return V_I4(&value);
}

void TOleControl::SetOrdinal(int index, VARTYPE type, long value) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    if (type != VT_I4) Delayed::VariantChangeType(&v, &v, 0, type);
    SetProperty(index, v);
}

int TOleControl::GetIntegerProp(int index) const { return static_cast<int>(GetOrdinal(index, VT_I4)); }
void TOleControl::SetIntegerProp(int index, int value) { SetOrdinal(index, VT_I4, value); }
int16_t TOleControl::GetSmallintProp(int index) const { return static_cast<int16_t>(GetOrdinal(index, VT_I2)); }
void TOleControl::SetSmallintProp(int index, int16_t value) { SetOrdinal(index, VT_I2, value); }
WordBool TOleControl::GetWordBoolProp(int index) const { return WordBool(GetOrdinal(index, VT_BOOL) != 0); }
void TOleControl::SetWordBoolProp(int index, WordBool value) { SetOrdinal(index, VT_BOOL, value ? -1 : 0); }
TOleEnum TOleControl::GetTOleEnumProp(int index) const { return static_cast<TOleEnum>(GetOrdinal(index, VT_I4)); }
void TOleControl::SetTOleEnumProp(int index, TOleEnum value) { SetOrdinal(index, VT_I4, value); }

const TClassInfo& TOCXProxy::StaticClass() {
    static const TClassInfo info = TClassBuilder<TOCXProxy>::Abstract("TOCXProxy", TOleControl::StaticClass());
    return info;
}

TOCXProxy::~TOCXProxy() = default;
