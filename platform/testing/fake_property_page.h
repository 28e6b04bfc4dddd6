// A property page for the property frame a control shows (its properties
// verb), made available to the platform's frame without the registry: the
// page's class is registered in this process only, for as long as the
// registration object lives.
//
//   suite::testing::FakePropertyPage page(log, control);
//   suite::testing::ClassRegistration pageClass(CLSID_ThePage, page);
//   object->DoVerb(OLEIVERB_PROPERTIES, ...);   // the frame creates `page`
//   EXPECT_TRUE(page.sawControl);
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include "testing/fake_object.h"

namespace suite::testing {

class FakePropertyPage : public FakeObject<IPropertyPage> {
public:
    // `control`: the object the frame is expected to hand the page.
    FakePropertyPage(CallLog& log, IUnknown* control);
    ~FakePropertyPage() override;

    int framesShown = 0;     // activations by a frame
    bool sawControl = false;  // the frame's objects were exactly the control

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR) override;
    STDMETHODIMP TranslateAccelerator(MSG*) override;

private:
    IUnknown* control_;
    IPropertyPageSite* site_ = nullptr;
    HWND window_ = nullptr;
};

// Registers a class in this process, its factory handing out `object`.
class ClassRegistration : public FakeObject<IClassFactory> {
public:
    ClassRegistration(REFCLSID clsid, IUnknown& object);
    ~ClassRegistration() override;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    IUnknown& object_;
    DWORD cookie_ = 0;
};

}  // namespace suite::testing
