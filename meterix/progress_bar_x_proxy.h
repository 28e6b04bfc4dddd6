// The ProgressBarX control on framework forms: the proxy component and
// the counted reference it holds to the control, in the type library's
// namespace, and the registration that puts it on the palette.
#pragma once
#include "Meterix_TLB.h"
#include "framework/framework.h"

namespace Meterix_TLB {

// A counted reference to IProgressBarX: empty until bound, released when
// it ends or is bound anew.
class TCOMIProgressBarX {
public:
    TCOMIProgressBarX() = default;
    ~TCOMIProgressBarX() { Reset(); }
    TCOMIProgressBarX(const TCOMIProgressBarX&) = delete;
    TCOMIProgressBarX& operator=(const TCOMIProgressBarX&) = delete;

    explicit operator bool() const { return FIntf != nullptr; }
    IProgressBarX* operator->() const { return FIntf; }
    // The out slot for a call that hands over a reference.
    void** Put() {
        Reset();
        return reinterpret_cast<void**>(&FIntf);
    }
    // The interface with one more reference, for the caller to release.
    IProgressBarX* Share() const {
        if (FIntf) FIntf->AddRef();
        return FIntf;
    }
    void Reset() {
        if (FIntf) FIntf->Release();
        FIntf = nullptr;
    }

private:
    IProgressBarX* FIntf = nullptr;
};

// The ProgressBarX control on a framework form: its properties, read and
// written on the live control by DISPID (none stored with the form), and
// its methods, bound to the control on first use.
class TProgressBarXProxy : public TOCXProxy {
    FRAME_CLASS(TProgressBarXProxy, TOCXProxy)
public:
    explicit TProgressBarXProxy(TComponent* owner);
    explicit TProgressBarXProxy(HWND parentWindow);
    ~TProgressBarXProxy() override;

    // The control's interface with one more reference.
    IProgressBarX* GetControlInterface();
    // A failing call shows the call-result diagnostic; answered No (or
    // Cancel), its HRESULT comes back.
    HRESULT StepIt();
    HRESULT StepBy(long Delta);
    bool ClassNameIs(const std::wstring& string);

protected:
    void InitControlData() override;
    // Binds the interface reference once, from the default dispatch.
    void CreateControl();

private:
    static TControlData CControlData;
    TCOMIProgressBarX m_OCXIntf;
};

// Puts TProgressBarXProxy on the palette page "Embedded".
void Register();

}  // namespace Meterix_TLB
