// The control's one outgoing interface: TImpIConnPtCont finds the single
// connection point, TImpIConnectionPoint holds at most one event sink.
//
// Lifetime: the control keeps one reference of its own to the connection
// point for as long as it lives, so the point (and a connected sink) stay
// when a container lets go of the point after Advise. While a client holds
// the point, the point holds the control, so it never outlives its owner
// in use; when the control dies it detaches the point, which releases the
// sink.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

namespace snapview {

class TSnapview;

class TImpIConnPtCont : public IConnectionPointContainer {
public:
    TImpIConnPtCont(TSnapview* owner, IUnknown* controllingUnknown);
    virtual ~TImpIConnPtCont() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

private:
    LONG RefCount = 0;
    TSnapview* Owner;
    IUnknown* ControllingUnknown;
};

class TImpIConnectionPoint : public IConnectionPoint {
public:
    static constexpr DWORD kCookie = 72388;

    // Null when out of memory.
    static TImpIConnectionPoint* Create(TSnapview* owner);
    // Called by the dying control: lets go of the sink, and frees the
    // point unless a client still holds it.
    void DetachFromOwner();
    void SetIid(REFIID iid) { Iid = iid; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

private:
    explicit TImpIConnectionPoint(TSnapview* owner);
    virtual ~TImpIConnectionPoint() = default;

    LONG RefCount = 0;  // clients' references; the control's is Owner itself
    TSnapview* Owner;
    IID Iid;
};

}  // namespace snapview
