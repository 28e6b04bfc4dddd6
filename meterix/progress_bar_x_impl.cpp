#include "progress_bar_x_impl.h"

namespace {

const TControlVerb kVerbs[] = {
    {0, L"Properties", 0, OLEVERBATTRIB_ONCONTAINERMENU},
    {0, nullptr, 0, 0},
};

VARIANT_BOOL AsVariantBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// IProgressBarX's DISPIDs.
enum : DISPID {
    DispDragCursor = 3,
    DispDragMode = 4,
    DispMin = 5,
    DispMax = 6,
    DispPosition = 7,
    DispStep = 8,
    DispVisible = 9,
    DispCursor = 12,
};

}  // namespace

const TControlRegistration& TProgressBarXImpl::GetRegistration() {
    // Content aspect: recompose on resize, can't link inside, inside-out,
    // activate when visible, set client site first (0x20191).
    static const TControlRegistration registration{L"Meterix.ProgressBarX", 1, 131473, kVerbs};
    return registration;
}

STDMETHODIMP TProgressBarXImpl::StepIt() {
    return FrameCall([&] { FrameControl()->StepIt(); });
}

STDMETHODIMP TProgressBarXImpl::StepBy(long delta) {
    return FrameCall([&] { FrameControl()->StepBy(delta); });
}

STDMETHODIMP TProgressBarXImpl::get_DragCursor(short* value) {
    if (!value) return E_POINTER;
    *value = FrameControl()->DragCursor();
    return S_OK;
}

STDMETHODIMP TProgressBarXImpl::put_DragCursor(short value) {
    return PutFrameProperty(DispDragCursor, [&] { FrameControl()->SetDragCursor(static_cast<TCursor>(value)); });
}

STDMETHODIMP TProgressBarXImpl::get_DragMode(TxDragMode* value) {
    if (!value) return E_POINTER;
    *value = FrameControl()->DragMode() == dmAutomatic ? Meterix_TLB::dmAutomatic : Meterix_TLB::dmManual;
    return S_OK;
}

// Only the two modes there are: any other number would leave the
// framework control holding a value of no mode at all.
STDMETHODIMP TProgressBarXImpl::put_DragMode(TxDragMode value) {
    if (value != Meterix_TLB::dmManual && value != Meterix_TLB::dmAutomatic) return E_INVALIDARG;
    return PutFrameProperty(DispDragMode, [&] {
        FrameControl()->SetDragMode(value == Meterix_TLB::dmAutomatic ? ::dmAutomatic : ::dmManual);
    });
}

STDMETHODIMP TProgressBarXImpl::get_Enabled(VARIANT_BOOL* value) {
    if (!value) return E_POINTER;
    *value = AsVariantBool(FrameControl()->Enabled());
    return S_OK;
}

STDMETHODIMP TProgressBarXImpl::put_Enabled(VARIANT_BOOL value) {
    return PutFrameProperty(DISPID_ENABLED, [&] { FrameControl()->SetEnabled(value != 0); });
}

STDMETHODIMP TProgressBarXImpl::get_Min(long* value) {
    return GetFrameProperty(value, [&] { return FrameControl()->Min(); });
}

STDMETHODIMP TProgressBarXImpl::put_Min(long value) {
    return PutFrameProperty(DispMin, [&] { FrameControl()->SetMin(value); });
}

STDMETHODIMP TProgressBarXImpl::get_Max(long* value) {
    return GetFrameProperty(value, [&] { return FrameControl()->Max(); });
}

STDMETHODIMP TProgressBarXImpl::put_Max(long value) {
    return PutFrameProperty(DispMax, [&] { FrameControl()->SetMax(value); });
}

STDMETHODIMP TProgressBarXImpl::get_Position(long* value) {
    return GetFrameProperty(value, [&] { return FrameControl()->Position(); });
}

STDMETHODIMP TProgressBarXImpl::put_Position(long value) {
    return PutFrameProperty(DispPosition, [&] { FrameControl()->SetPosition(value); });
}

STDMETHODIMP TProgressBarXImpl::get_Step(long* value) {
    if (!value) return E_POINTER;
    *value = FrameControl()->Step();
    return S_OK;
}

STDMETHODIMP TProgressBarXImpl::put_Step(long value) {
    return PutFrameProperty(DispStep, [&] { FrameControl()->SetStep(value); });
}

STDMETHODIMP TProgressBarXImpl::get_Visible(VARIANT_BOOL* value) {
    if (!value) return E_POINTER;
    *value = AsVariantBool(FrameControl()->Visible());
    return S_OK;
}

STDMETHODIMP TProgressBarXImpl::put_Visible(VARIANT_BOOL value) {
    return PutFrameProperty(DispVisible, [&] { FrameControl()->SetVisible(value != 0); });
}

STDMETHODIMP TProgressBarXImpl::get_Cursor(short* value) {
    if (!value) return E_POINTER;
    *value = FrameControl()->Cursor();
    return S_OK;
}

STDMETHODIMP TProgressBarXImpl::put_Cursor(short value) {
    return PutFrameProperty(DispCursor, [&] { FrameControl()->SetCursor(static_cast<TCursor>(value)); });
}

STDMETHODIMP TProgressBarXImpl::ClassNameIs(BSTR name, VARIANT_BOOL* value) {
    if (!value) return E_POINTER;
    AnsiString text = name ? FromWide(std::wstring_view(name, SysStringLen(name))) : AnsiString();
    *value = AsVariantBool(FrameControl()->ClassNameIs(text));
    return S_OK;
}
