#include "bridge/frame_control_host.h"

#include <algorithm>

#include "bridge/reflector_window.h"
#include "framework/graphics/ole_font.h"
#include "templates/control_base.h"

namespace {

// The image is made whole in memory, so a failing writer leaves the
// container's stream untouched, and goes out in parts of this size.
constexpr size_t WriteBufferSize = 4096;

// A notification a container reflects back (0x2000 + message).
bool IsReflectedNotification(UINT message) { return message >= OCM_BASE && message <= OCM_BASE + 0x3FF; }

}  // namespace

TFrameControlHost::TFrameControlHost(CComControlBase& control) : FOwner(control) {}

TFrameControlHost::~TFrameControlHost() { Destroy(); }

void TFrameControlHost::Create(const TClassInfo& controlClass) {
    HWND parking = ParkingWindow();
    FControl = CreateParentedControl(controlClass, parking);
    if (FControl->ControlStyle() & csReflector) FReflector = new TReflectorWindow(parking, FControl);
    FSavedWindowProc = FControl->WindowProc;
    FControl->WindowProc = TWndMethod(this, &TFrameControlHost::HookedWindowProc);
}

void TFrameControlHost::Destroy() {
    if (FControl) {
        FControl->WindowProc = FSavedWindowProc;
        delete FControl;
        FControl = nullptr;
    }
    delete FReflector;
    FReflector = nullptr;
}

TWinControl* TFrameControlHost::HostingWindow() const {
    return FReflector ? static_cast<TWinControl*>(FReflector) : FControl;
}

HWND TFrameControlHost::Activate(HWND parent, const RECT& position) {
    TWinControl* hosting = HostingWindow();
    hosting->SetParentWindow(parent);
    SetBounds(position);
    hosting->HandleNeeded();
    hosting->SetVisible(true);
    return hosting->Handle();
}

void TFrameControlHost::SetBounds(const RECT& position) {
    HostingWindow()->SetBounds(position.left, position.top, position.right - position.left,
                               position.bottom - position.top);
}

// The window goes with the activation, as any windowed control's does:
// hiding it and moving it to the parking window cost twice what destroying
// it does. The control keeps what only its window held (SaveWindowState)
// and waits in the parking window as it was made, without a window, until
// the next activation or drawing makes one again.
void TFrameControlHost::Park() {
    TWinControl* hosting = HostingWindow();
    hosting->DestroyHandle();
    hosting->SetParentWindow(ParkingWindow());
}

void TFrameControlHost::Draw(HDC dc, const RECTL& bounds) { FControl->PaintTo(dc, bounds.left, bounds.top); }

void TFrameControlHost::AmbientChanged(DISPID id) {
    if (id == DISPID_AMBIENT_BACKCOLOR || id == DISPID_UNKNOWN) {
        VARIANT colour;
        if (SUCCEEDED(FOwner.GetAmbientProperty(DISPID_AMBIENT_BACKCOLOR, colour)) &&
            SUCCEEDED(VariantChangeType(&colour, &colour, 0, VT_I4)))
            FControl->Perform(CM_PARENTCOLORCHANGED, 1, static_cast<LPARAM>(static_cast<uint32_t>(V_I4(&colour))));
        VariantClear(&colour);
    }
    if (id == DISPID_AMBIENT_FORECOLOR || id == DISPID_AMBIENT_FONT || id == DISPID_UNKNOWN) {
        TFont font;
        font.Assign(FControl->Font());
        VARIANT value;
        if (SUCCEEDED(FOwner.GetAmbientProperty(DISPID_AMBIENT_FORECOLOR, value)) &&
            SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
            font.SetColor(static_cast<TColor>(V_I4(&value)));
        VariantClear(&value);
        if (SUCCEEDED(FOwner.GetAmbientProperty(DISPID_AMBIENT_FONT, value)) &&
            (V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN))
            SetOleFont(&font, V_UNKNOWN(&value));
        VariantClear(&value);
        FControl->Perform(CM_PARENTFONTCHANGED, 1, reinterpret_cast<LPARAM>(&font));
    }
}

void TFrameControlHost::Save(IStream* stream) {
    TWriteOptions options;
    options.Children = false;
    TMemoryStream image;
    WriteComponent(image, FControl, options);
    TOleStream ole(stream);
    const TBytes& bytes = image.Bytes();
    for (size_t done = 0; done < bytes.size(); done += WriteBufferSize)
        ole.WriteBuffer(bytes.data() + done, static_cast<int64_t>(std::min(WriteBufferSize, bytes.size() - done)));
}

void TFrameControlHost::Load(IStream* stream) {
    TOleStream ole(stream);
    ReadComponent(ole, FControl);
}

void TFrameControlHost::HookedWindowProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        FSavedWindowProc(message);
        FOwner.SendOnFocus(message.Msg == WM_SETFOCUS);
        return;
    case WM_NCHITTEST:
        FSavedWindowProc(message);
        if (message.Result == HTTRANSPARENT) message.Result = HTCLIENT;
        return;
    default:
        if (IsReflectedNotification(message.Msg)) {
            UINT reflected = message.Msg;
            message.Msg += ReflectedToFramework;
            FSavedWindowProc(message);
            message.Msg = reflected;
            return;
        }
        FSavedWindowProc(message);
    }
}
