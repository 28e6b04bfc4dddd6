// TImpIDispatch: the IDispatch the control hands out. Its IUnknown methods
// go to the control's controlling unknown and its IDispatch methods to the
// standard dispatch object, so a client holding only this IDispatch keeps
// the control alive and gets back to its other interfaces, even where the
// standard dispatch object ignores the outer unknown it was given.
#pragma once
#include <windows.h>
#include <oleauto.h>

namespace snapview {

class TSnapview;

class TImpIDispatch : public IDispatch {
public:
    TImpIDispatch(TSnapview* owner, IUnknown* controllingUnknown);
    virtual ~TImpIDispatch() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID member, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

private:
    // The standard dispatch object's IDispatch, asked for on each call:
    // where it honours the outer unknown, keeping it would hold the control.
    HRESULT Target(IDispatch** target);

    TSnapview* Owner;
    IUnknown* ControllingUnknown;
};

}  // namespace snapview
