#include "progress_bar_x_proxy.h"

#include "bridge/ole_diagnostics.h"

namespace Meterix_TLB {
namespace {

// Where the call-result diagnostic says a failure happened.
const char kSource[] = ".\\Meterix_TLB";

}  // namespace

TControlData TProgressBarXProxy::CControlData = {
    CLSID_ProgressBarX,
    DIID_IProgressBarXEvents,
    0, nullptr,     // events
    nullptr,        // licence key
    8,              // flags
    300,            // version
    0, nullptr,     // font properties
    0, nullptr,     // picture properties
    0,              // reserved
    0,              // instances
    nullptr,        // property descriptions
};

const TClassInfo& TProgressBarXProxy::StaticClass() {
    static const TClassInfo info = TClassBuilder<TProgressBarXProxy>::Creatable(
        "TProgressBarXProxy", TOCXProxy::StaticClass(), [](auto& c) {
            using P = TProgressBarXProxy;
            c.Property("DragCursor", &P::GetSmallintProp, &P::SetSmallintProp).Index(3).Stored(false);
            c.Property("DragMode", &P::GetTOleEnumProp, &P::SetTOleEnumProp).Index(4).Stored(false);
            c.Property("Enabled", &P::GetWordBoolProp, &P::SetWordBoolProp).Index(DISPID_ENABLED).Stored(false);
            c.Property("Min", &P::GetIntegerProp, &P::SetIntegerProp).Index(5).Stored(false);
            c.Property("Max", &P::GetIntegerProp, &P::SetIntegerProp).Index(6).Stored(false);
            c.Property("Position", &P::GetIntegerProp, &P::SetIntegerProp).Index(7).Stored(false);
            c.Property("Step", &P::GetIntegerProp, &P::SetIntegerProp).Index(8).Stored(false);
            c.Property("Visible", &P::GetWordBoolProp, &P::SetWordBoolProp).Index(9).Stored(false);
            c.Property("Cursor", &P::GetSmallintProp, &P::SetSmallintProp).Index(12).Stored(false);
        });
    return info;
}

TProgressBarXProxy::TProgressBarXProxy(TComponent* owner) : TOCXProxy(owner) {}

TProgressBarXProxy::TProgressBarXProxy(HWND parentWindow) : TOCXProxy(parentWindow) {}

TProgressBarXProxy::~TProgressBarXProxy() { m_OCXIntf.Reset(); }

void TProgressBarXProxy::InitControlData() { FControlData = &CControlData; }

void TProgressBarXProxy::CreateControl() {
    if (m_OCXIntf) return;
    IDispatch* dispatch = GetDefaultDispatch();
    bridge::OleAssert(dispatch != nullptr, "DefaultDispatch", kSource, 94);
    if (dispatch) dispatch->QueryInterface(IID_IProgressBarX, m_OCXIntf.Put());
}

IProgressBarX* TProgressBarXProxy::GetControlInterface() {
    CreateControl();
    return m_OCXIntf.Share();
}

// Each method binds first; a control without the interface (the
// assertion answered No) fails the call instead of crashing it.
HRESULT TProgressBarXProxy::StepIt() {
    CreateControl();
    if (!m_OCXIntf) return E_NOINTERFACE;
    return bridge::OleCheck(m_OCXIntf->StepIt(), "m_OCXIntf->StepIt()", kSource, 108);
}

HRESULT TProgressBarXProxy::StepBy(long Delta) {
    CreateControl();
    if (!m_OCXIntf) return E_NOINTERFACE;
    return bridge::OleCheck(m_OCXIntf->StepBy(Delta), "m_OCXIntf->StepBy(Delta )", kSource, 114);
}

bool TProgressBarXProxy::ClassNameIs(const std::wstring& string) {
    CreateControl();
    if (!m_OCXIntf) return false;
    BSTR text = SysAllocStringLen(string.data(), static_cast<UINT>(string.size()));
    VARIANT_BOOL _retval = VARIANT_FALSE;
    HRESULT hr = m_OCXIntf->ClassNameIs(text, &_retval);
    SysFreeString(text);
    bridge::OleCheck(hr, "m_OCXIntf->ClassNameIs(string , &_retval)", kSource, 121);
    return _retval != VARIANT_FALSE;
}

void Register() { RegisterComponents("Embedded", {&TProgressBarXProxy::StaticClass()}); }

}  // namespace Meterix_TLB
