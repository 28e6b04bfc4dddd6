// The sinks a container connects to a control, and an outer object that
// aggregates one. Each records what it is told in the call log and counts
// the references the control holds (see fake_object.h).
//
//   suite::testing::FakePropertySink sink(log);
//   sink.refuse = true;                 // every OnRequestEdit says no
//   point->Advise(&sink, &cookie);
//   EXPECT_CALLS(log, {"OnRequestEdit(-517)"});
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include "testing/fake_object.h"

namespace suite::testing {

// The view and data notices: "OnViewChange(aspect,index)", "OnDataChange",
// "OnClose", "OnSave", "OnRename", "OnViewStatusChange(status)".
class FakeAdviseSink : public FakeObject<IAdviseSinkEx> {
public:
    using FakeObject::FakeObject;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override;
    STDMETHODIMP_(void) OnViewChange(DWORD aspect, LONG index) override;
    STDMETHODIMP_(void) OnRename(IMoniker*) override;
    STDMETHODIMP_(void) OnSave() override;
    STDMETHODIMP_(void) OnClose() override;
    STDMETHODIMP_(void) OnViewStatusChange(DWORD status) override;
};

// Property-change notices: "OnRequestEdit(id)" (refused with S_FALSE while
// `refuse` is set) and "OnChanged(id)".
class FakePropertySink : public FakeObject<IPropertyNotifySink> {
public:
    using FakeObject::FakeObject;
    bool refuse = false;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID id) override;
};

// A sink of one event dispinterface (none when `events` is GUID_NULL: then
// it offers nothing but IUnknown). Being asked for it is recorded as
// "QueryInterface(events)", for anything else by the interface's name;
// each event as "Invoke(id,flags,argument count)".
class FakeEventSink : public FakeObject<IDispatch> {
public:
    FakeEventSink(CallLog& log, REFIID events) : FakeObject(log), events_(events) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP GetTypeInfoCount(UINT*) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                        EXCEPINFO*, UINT*) override;

private:
    IID events_;
};

// An object that aggregates a control: it answers IUnknown itself and hands
// every other query to the control's inner unknown, which it owns. Its own
// count changes are recorded as "Outer::AddRef" and "Outer::Release".
class FakeOuter : public FakeObject<IUnknown> {
public:
    using FakeObject::FakeObject;
    IUnknown* inner = nullptr;  // owned: released by ReleaseInner

    // Releases the inner unknown; the count it returns.
    ULONG ReleaseInner();
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
};

}  // namespace suite::testing
