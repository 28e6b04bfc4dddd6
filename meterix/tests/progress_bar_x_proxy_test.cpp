// The proxy on a real framework form, hosting the registered control:
// lazy binding, properties by DISPID, the forwarding methods, the
// call-result diagnostic answered through the framework's dialog seam (and
// once as the real box), and its place on the palette.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "bridge/ole_diagnostics.h"
#include "progress_bar_x_proxy.h"
#include "testing/in_process_server.h"
#include "testing/message_boxes.h"

using namespace Meterix_TLB;

namespace {

const suite::testing::InProcessServer& Server() {
    static const auto server = suite::testing::LoadInProcessServer(L"Meterix.dll");
    return server;
}

// A registered control and a shown form holding a proxy of it.
class ProxyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(Server().registerServer(), S_OK); }
    static void TearDownTestSuite() {
        Server().unregisterServer();
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "TypeLib\\{FB529B2B-A1BF-11D1-AAEC-00C04FAD1EAD}");
    }
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(40, 40, 360, 200);
        Proxy = new TProgressBarXProxy(Form.get());
        Proxy->SetParent(Form.get());
        Proxy->SetBounds(20, 30, 200, 24);
    }
    void TearDown() override {
        Form.reset();
        OleUninitialize();
        EXPECT_EQ(Server().canUnloadNow(), S_OK);
    }
    // The hosted bar's own window inside the proxy's.
    HWND BarWindow() { return FindWindowExA(Proxy->Handle(), nullptr, "TProgressBar", nullptr); }
    std::unique_ptr<TForm> Form;
    TProgressBarXProxy* Proxy = nullptr;
};

// The failing control: a class object for CLSID_ProgressBarX, registered
// for this process, whose object answers what the host asks and fails
// every step.
class FailingBar : public IOleObject, public IProgressBarX {
public:
    LONG refs = 0;
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleObject)) *out = static_cast<IOleObject*>(this);
        if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IProgressBarX)) *out = static_cast<IProgressBarX*>(this);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
#define NOT_HERE override { return E_NOTIMPL; }
    STDMETHODIMP SetClientSite(IOleClientSite*) override { return S_OK; }
    STDMETHODIMP GetClientSite(IOleClientSite**) NOT_HERE
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) NOT_HERE
    STDMETHODIMP Close(DWORD) override { return S_OK; }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) NOT_HERE
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) NOT_HERE
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) NOT_HERE
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) NOT_HERE
    STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return S_OK; }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) NOT_HERE
    STDMETHODIMP Update() NOT_HERE
    STDMETHODIMP IsUpToDate() NOT_HERE
    STDMETHODIMP GetUserClassID(CLSID*) NOT_HERE
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) NOT_HERE
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) NOT_HERE
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) NOT_HERE
    STDMETHODIMP Unadvise(DWORD) NOT_HERE
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) NOT_HERE
    STDMETHODIMP GetMiscStatus(DWORD, DWORD*) NOT_HERE
    STDMETHODIMP SetColorScheme(LOGPALETTE*) NOT_HERE
    STDMETHODIMP GetTypeInfoCount(UINT*) NOT_HERE
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) NOT_HERE
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) NOT_HERE
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) NOT_HERE
    STDMETHODIMP StepIt() override { return E_FAIL; }
    STDMETHODIMP StepBy(long) override { return E_FAIL; }
    STDMETHODIMP get_DragCursor(short*) NOT_HERE
    STDMETHODIMP put_DragCursor(short) NOT_HERE
    STDMETHODIMP get_DragMode(TxDragMode*) NOT_HERE
    STDMETHODIMP put_DragMode(TxDragMode) NOT_HERE
    STDMETHODIMP get_Enabled(VARIANT_BOOL*) NOT_HERE
    STDMETHODIMP put_Enabled(VARIANT_BOOL) NOT_HERE
    STDMETHODIMP get_Min(long*) NOT_HERE
    STDMETHODIMP put_Min(long) NOT_HERE
    STDMETHODIMP get_Max(long*) NOT_HERE
    STDMETHODIMP put_Max(long) NOT_HERE
    STDMETHODIMP get_Position(long*) NOT_HERE
    STDMETHODIMP put_Position(long) NOT_HERE
    STDMETHODIMP get_Step(long*) NOT_HERE
    STDMETHODIMP put_Step(long) NOT_HERE
    STDMETHODIMP get_Visible(VARIANT_BOOL*) NOT_HERE
    STDMETHODIMP put_Visible(VARIANT_BOOL) NOT_HERE
    STDMETHODIMP get_Cursor(short*) NOT_HERE
    STDMETHODIMP put_Cursor(short) NOT_HERE
    STDMETHODIMP ClassNameIs(BSTR, VARIANT_BOOL*) NOT_HERE
#undef NOT_HERE
};

class FailingBarFactory : public IClassFactory {
public:
    explicit FailingBarFactory(FailingBar& bar) : bar_(bar) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory) ? this : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID iid, void** out) override { return bar_.QueryInterface(iid, out); }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    FailingBar& bar_;
};

// Answers every diagnostic box with one button and keeps what it asked.
struct BoxAnswers {
    explicit BoxAnswers(TModalResult answer)
        : scope([this, answer](const TDialogQuestion& q) -> std::optional<TDialogAnswer> {
              asked.push_back(q);
              return TDialogAnswer{answer, "", clBlack};
          }) {}
    std::vector<TDialogQuestion> asked;
    TDialogAnswererScope scope;
};

// With the platform's own text for E_FAIL.
AnsiString StepByFailure() {
    return "'m_OCXIntf->StepBy(Delta )': " + SysErrorMessage(static_cast<unsigned long>(E_FAIL)) + " @ .\\Meterix_TLB/114";
}

}  // namespace

TEST_F(ProxyTest, PublishesTheControlsPropertiesByDispidInOrderAndStoresNone) {
    const std::vector<const TPropInfo*>& all = TProgressBarXProxy::StaticClass().Properties();
    const char* names[] = {"DragCursor", "DragMode", "Enabled", "Min", "Max", "Position", "Step", "Visible", "Cursor"};
    const int indexes[] = {3, 4, DISPID_ENABLED, 5, 6, 7, 8, 9, 12};
    ASSERT_GE(all.size(), 9u);
    for (size_t i = 0; i < 9; ++i) {
        const TPropInfo* p = all[all.size() - 9 + i];
        EXPECT_EQ(p->Name, names[i]);
        EXPECT_EQ(p->Index, indexes[i]) << names[i];
        EXPECT_FALSE(p->IsStored(Proxy)) << names[i];
    }
}

TEST_F(ProxyTest, BindsOnceOnFirstUseAndDrivesTheLiveControl) {
    Form->Show();
    EXPECT_EQ(Proxy->GetIntegerProp(7), 0);  // Position: the first use binds
    IProgressBarX* bound = Proxy->GetControlInterface();
    ASSERT_NE(bound, nullptr);
    Proxy->SetIntegerProp(6, 400);   // Max
    Proxy->SetIntegerProp(8, 25);    // Step
    EXPECT_EQ(Proxy->StepIt(), S_OK);
    EXPECT_EQ(Proxy->StepBy(-5), S_OK);
    EXPECT_EQ(Proxy->StepIt(), S_OK);
    long position = 0;
    bound->get_Position(&position);
    EXPECT_EQ(position, 45);
    EXPECT_EQ(SendMessageA(BarWindow(), PBM_GETPOS, 0, 0), 45);
    EXPECT_EQ(Proxy->GetControlInterface(), bound);  // the same reference, bound once
    bound->Release();
    bound->Release();

    Proxy->SetWordBoolProp(DISPID_ENABLED, false);
    EXPECT_FALSE(Proxy->GetWordBoolProp(DISPID_ENABLED));
    EXPECT_FALSE(IsWindowEnabled(BarWindow()));
    Proxy->SetTOleEnumProp(4, Meterix_TLB::dmAutomatic);
    EXPECT_EQ(Proxy->GetTOleEnumProp(4), Meterix_TLB::dmAutomatic);
    EXPECT_TRUE(Proxy->ClassNameIs(L"TProgressBar"));
    EXPECT_FALSE(Proxy->ClassNameIs(L"TProgressBarXProxy"));
    // The bar fills the proxy and follows its size.
    Proxy->SetBounds(20, 30, 120, 40);
    RECT r{};
    GetClientRect(BarWindow(), &r);
    EXPECT_EQ(r.right, 120);
    // A refusal of the control's is the framework's exception, with its text.
    try {
        Proxy->SetIntegerProp(5, 1000);
        ADD_FAILURE() << "Min above Max was taken";
    } catch (const EOleError& e) {
        EXPECT_EQ(e.Message(), "Min (1000) above Max (400)");
    }
}

TEST_F(ProxyTest, FailingStepAnsweredNoReturnsTheFailureAnsweredYesRaises) {
    FailingBar bar;
    FailingBarFactory factory(bar);
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(CLSID_ProgressBarX, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
              S_OK);
    {
        BoxAnswers no(mrNo);
        EXPECT_EQ(Proxy->StepBy(3), E_FAIL);
        ASSERT_EQ(no.asked.size(), 1u);
        EXPECT_EQ(no.asked[0].Caption, "HRESULT Failure");
        EXPECT_EQ(no.asked[0].Text, StepByFailure() +
                                        "\nPress [Y]es to terminate, [N]o to continue and [C]ancel to Debug");
        EXPECT_EQ(no.asked[0].Buttons, mbYesNoCancel);
    }
    {
        // Without a debugger, Cancel goes on as No.
        BoxAnswers cancel(mrCancel);
        EXPECT_EQ(Proxy->StepIt(), E_FAIL);
    }
    {
        BoxAnswers yes(mrYes);
        try {
            Proxy->StepBy(3);
            ADD_FAILURE() << "Yes did not raise";
        } catch (const EOleError& e) {
            EXPECT_EQ(e.Message(), StepByFailure());
        }
    }
    {
        BoxAnswers no(mrNo);
        bridge::OleAssert(false, "DefaultDispatch", ".\\Meterix_TLB", 94);
        ASSERT_EQ(no.asked.size(), 1u);
        EXPECT_EQ(no.asked[0].Caption, "Assertion Failure");
        EXPECT_EQ(no.asked[0].Text.substr(0, no.asked[0].Text.find('\n')), "DefaultDispatch @ .\\Meterix_TLB/94");
    }
    bridge::SetDiagnosticBoxes(false);
    EXPECT_THROW(Proxy->StepIt(), EOleError);
    bridge::SetDiagnosticBoxes(true);
    // An HRESULT the platform has no text for.
    EXPECT_EQ(bridge::HResultFailureText(static_cast<HRESULT>(0x80041234), "call()", ".\\Meterix_TLB", 7),
              "(call()) Error: 80041234 (-2147216844) @ .\\Meterix_TLB/7");

    // Once as the real box, task-modal, answered by a person's click.
    {
        suite::testing::MessageBoxAnswerer person(GetCurrentProcessId());
        EXPECT_EQ(Proxy->StepBy(3), E_FAIL);
        auto seen = person.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, "HRESULT Failure");
        EXPECT_EQ(seen[0].text, StepByFailure() +
                                    "\nPress [Y]es to terminate, [N]o to continue and [C]ancel to Debug");
        EXPECT_EQ(seen[0].buttons.size(), 3u);
    }
    Form.reset();
    CoRevokeClassObject(cookie);
    EXPECT_EQ(bar.refs, 0);
}

TEST_F(ProxyTest, RegisterPutsExactlyTheProxyOnEmbedded) {
    Register();
    auto page = PalettePage("Embedded");
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page[0], &TProgressBarXProxy::StaticClass());
    UnRegisterPalettePage("Embedded");
    UnRegisterClass(TProgressBarXProxy::StaticClass());

    // The package's own copy of the class, from its own registration.
    HMODULE package = LoadPackage("MeterixPackage.dll");
    page = PalettePage("Embedded");
    ASSERT_EQ(page.size(), 1u);
    EXPECT_STREQ(page[0]->Name(), "TProgressBarXProxy");
    EXPECT_EQ(GetPackageDescription("MeterixPackage.dll"), "Meterix progress bar control proxy");
    UnloadPackage(package);
    EXPECT_TRUE(PalettePage("Embedded").empty());
}
