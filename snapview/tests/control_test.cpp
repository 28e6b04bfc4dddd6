// The control object: its interfaces, its Title, what it takes from the
// clipboard, and automation through the IDispatch it hands out.
#include <algorithm>

#include "snapview_library.h"

using namespace snapview_test;

namespace {

class ControlTest : public ::testing::Test {
protected:
    // A control over whatever the clipboard holds now.
    IUnknown* Create() {
        IUnknown* control = nullptr;
        EXPECT_EQ(CreateControl(nullptr, IID_IUnknown, reinterpret_cast<void**>(&control)), S_OK);
        return control;
    }

    // The (format, medium) pairs the control's data cache holds. A device-
    // independent bitmap's entry is listed twice: as itself and as a bitmap.
    static std::vector<std::pair<CLIPFORMAT, DWORD>> Cached(IUnknown* control) {
        std::vector<std::pair<CLIPFORMAT, DWORD>> out;
        IOleCache* cache = nullptr;
        if (FAILED(control->QueryInterface(IID_IOleCache, reinterpret_cast<void**>(&cache)))) {
            return out;
        }
        IEnumSTATDATA* entries = nullptr;
        if (SUCCEEDED(cache->EnumCache(&entries)) && entries) {
            STATDATA entry;
            while (entries->Next(1, &entry, nullptr) == S_OK) {
                bool bitmapOfDib = entry.formatetc.cfFormat == CF_BITMAP && !out.empty() &&
                                   out.back().first == CF_DIB;
                if (!bitmapOfDib) out.emplace_back(entry.formatetc.cfFormat, entry.formatetc.tymed);
                if (entry.pAdvSink) entry.pAdvSink->Release();
            }
            entries->Release();
        }
        cache->Release();
        return out;
    }

    ClipboardScope clipboard;
};

using Entries = std::vector<std::pair<CLIPFORMAT, DWORD>>;

wchar_t seenText[64];

DWORD WINAPI PressOkOnAboutBox(void*) {
    for (int i = 0; i < 200; ++i) {
        if (HWND box = FindWindowW(L"#32770", L"Quibb's Clipboard Control")) {
            GetDlgItemTextW(box, 0xFFFF, seenText, 64);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(25);
    }
    return 1;
}

}  // namespace

TEST_F(ControlTest, ClipboardPicturesWinOverTextInTheirOrder) {
    ASSERT_TRUE(clipboard.PutBitmap(MakeSolidDib(8, 8, RGB(0, 255, 0))));
    ASSERT_TRUE(clipboard.PutMetafilePicture(2000, 1000, RGB(255, 0, 0), /*add=*/true));
    IUnknown* control = Create();
    ASSERT_TRUE(control);
    EXPECT_EQ(Cached(control), (Entries{{CF_METAFILEPICT, TYMED_MFPICT}}));
    control->Release();

    ASSERT_TRUE(clipboard.PutUnicodeText(L"words"));
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255)), /*add=*/true));
    ASSERT_TRUE(clipboard.PutBitmap(MakeSolidDib(8, 8, RGB(0, 255, 0)), /*add=*/true));
    control = Create();
    ASSERT_TRUE(control);
    EXPECT_EQ(Cached(control), (Entries{{CF_DIB, TYMED_HGLOBAL}}));
    control->Release();

    // The clipboard offers a device-independent copy of any bitmap put on
    // it, and that copy comes first.
    ASSERT_TRUE(clipboard.PutBitmap(MakeSolidDib(8, 8, RGB(0, 255, 0))));
    ASSERT_TRUE(clipboard.PutUnicodeText(L"words", /*add=*/true));
    control = Create();
    ASSERT_TRUE(control);
    EXPECT_EQ(Cached(control), (Entries{{CF_DIB, TYMED_HGLOBAL}}));
    control->Release();
}

TEST_F(ControlTest, TextAloneIsCachedAsGlobalMemory) {
    ASSERT_TRUE(clipboard.PutUnicodeText(L"only text"));
    IUnknown* control = Create();
    ASSERT_TRUE(control);
    EXPECT_EQ(Cached(control), (Entries{{CF_UNICODETEXT, TYMED_HGLOBAL}}));
    control->Release();
}

TEST_F(ControlTest, GrabKeepsEarlierDataWhenTheClipboardIsEmpty) {
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255))));
    IUnknown* control = Create();
    ASSERT_TRUE(control);
    ISnapview* snapview = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_ISnapview, reinterpret_cast<void**>(&snapview)), S_OK);
    ASSERT_TRUE(ClipboardScope::Empty());
    EXPECT_EQ(snapview->GrabFromClipboard(), E_FAIL);
    EXPECT_EQ(Cached(control), (Entries{{CF_DIB, TYMED_HGLOBAL}}));

    // A second format goes beside the first; the same format again reuses it.
    ASSERT_TRUE(clipboard.PutMetafilePicture(1000, 1000, RGB(255, 0, 0)));
    EXPECT_EQ(snapview->GrabFromClipboard(), S_OK);
    EXPECT_EQ(snapview->GrabFromClipboard(), S_OK);
    Entries cached = Cached(control);
    std::sort(cached.begin(), cached.end());
    EXPECT_EQ(cached, (Entries{{CF_METAFILEPICT, TYMED_MFPICT}, {CF_DIB, TYMED_HGLOBAL}}));
    snapview->Release();
    control->Release();
}

TEST_F(ControlTest, GrabFailsWhileAnotherWindowHoldsTheClipboardOpen) {
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255))));
    IUnknown* control = Create();
    ASSERT_TRUE(control);
    ISnapview* snapview = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_ISnapview, reinterpret_cast<void**>(&snapview)), S_OK);
    HWND holder = CreateWindowExW(0, L"STATIC", L"holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(holder));
    EXPECT_EQ(snapview->GrabFromClipboard(), E_FAIL);
    CloseClipboard();
    DestroyWindow(holder);
    EXPECT_EQ(snapview->GrabFromClipboard(), S_OK);
    snapview->Release();
    control->Release();
}

TEST_F(ControlTest, QueryInterfaceServesItsOwnObjectsAndHandsViewsToTheCache) {
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255))));
    IUnknown* control = Create();
    ASSERT_TRUE(control);
    EXPECT_EQ(RefCount(control), 1u);

    const IID* served[] = {&IID_IOleObject, &IID_IPersistStreamInit, &IID_IOleControl,
                           &IID_IOleInPlaceObject, &IID_IConnectionPointContainer, &IID_IDispatch,
                           &IID_IViewObject, &IID_IViewObject2, &IID_IOleCache, &IID_IOleCache2,
                           &IID_IOleCacheControl, &IID_IDataObject, &IID_IPersistStorage};
    for (const IID* iid : served) {
        IUnknown* part = nullptr;
        ASSERT_EQ(control->QueryInterface(*iid, reinterpret_cast<void**>(&part)), S_OK);
        EXPECT_EQ(RefCount(control), 2u);  // every part counts on the control
        IUnknown* identity = nullptr;
        ASSERT_EQ(part->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
        EXPECT_EQ(identity, control);
        identity->Release();
        part->Release();
    }
    IUnknown* snapview = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_ISnapview, reinterpret_cast<void**>(&snapview)), S_OK);
    EXPECT_EQ(snapview, control);
    snapview->Release();

    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(control->QueryInterface(DIID_DISnapview, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(control->QueryInterface(IID_IOleInPlaceActiveObject, &out), E_NOINTERFACE);
    EXPECT_EQ(control->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(RefCount(control), 1u);
    control->Release();
}

TEST_F(ControlTest, TitleIsACopyCutAtTheFirstNull) {
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255))));
    IUnknown* control = Create();
    ASSERT_TRUE(control);
    ISnapview* snapview = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_ISnapview, reinterpret_cast<void**>(&snapview)), S_OK);
    EXPECT_EQ(snapview->get_Title(), nullptr);

    DebugOutputCapture trace;
    BSTR given = SysAllocStringLen(L"before\0after", 12);
    snapview->put_Title(given);
    SysFreeString(given);
    EXPECT_TRUE(trace.Take().empty());  // put_Title writes no line

    BSTR first = snapview->get_Title();
    BSTR second = snapview->get_Title();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);  // each caller frees its own copy
    EXPECT_STREQ(first, L"before");
    EXPECT_EQ(SysStringLen(first), 6u);
    SysFreeString(first);
    SysFreeString(second);
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"SNAPVIEW: TSnapview::get_Title", "SNAPVIEW: TSnapview::get_Title"}));
    snapview->Release();
    control->Release();
}

TEST_F(ControlTest, AutomationReachesTheControlByNameAndMemberId) {
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255))));
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(CreateControl(nullptr, IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);

    const wchar_t* names[] = {L"Title", L"GrabFromClipboard", L"AboutBox"};
    DISPID ids[3] = {};
    for (int i = 0; i < 3; ++i) {
        LPOLESTR name = const_cast<LPOLESTR>(names[i]);
        ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &ids[i]), S_OK);
    }
    EXPECT_EQ(ids[0], 2);
    EXPECT_EQ(ids[1], 1);
    EXPECT_EQ(ids[2], -552);

    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(L"caption");
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{&value, &named, 1, 1};
    EXPECT_EQ(dispatch->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr,
                               nullptr), S_OK);
    VariantClear(&value);

    DebugOutputCapture trace;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(dispatch->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                               nullptr), S_OK);
    EXPECT_EQ(result.vt, VT_BSTR);
    if (result.vt == VT_BSTR) {
        EXPECT_STREQ(result.bstrVal, L"caption");
    }
    VariantClear(&result);
    EXPECT_EQ(dispatch->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
              S_OK);
    VariantClear(&result);
    EXPECT_EQ(Messages(trace.Take()), (Lines{"SNAPVIEW: TSnapview::get_Title",
                                             "SNAPVIEW: TSnapview::GrabFromClipboard",
                                             "SNAPVIEW: TSnapview::AddRef 2",
                                             "SNAPVIEW: TSnapview::Release 1"}));
    dispatch->Release();
}

TEST_F(ControlTest, AClientHoldingOnlyTheDispatchKeepsTheControlAlive) {
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255))));
    IOleObject* object = nullptr;
    ASSERT_EQ(CreateControl(nullptr, IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    object->Release();
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);

    IOleObject* again = nullptr;
    ASSERT_EQ(dispatch->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&again)), S_OK);
    CLSID clsid{};
    EXPECT_EQ(again->GetUserClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_Snapview);
    again->Release();

    UINT count = 0;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    DebugOutputCapture trace;
    EXPECT_EQ(dispatch->Release(), 0u);
    EXPECT_EQ(Messages(trace.Take()),
              (Lines{"SNAPVIEW: TSnapview::Release 0", "DLLENTRY: ObjectDestroyed"}));
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(ControlTest, AboutBoxIsModalAndReturnsWhenClosed) {
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255))));
    IUnknown* control = Create();
    ASSERT_TRUE(control);
    ISnapview* snapview = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_ISnapview, reinterpret_cast<void**>(&snapview)), S_OK);
    // A second thread plays the user: it finds the box and presses OK.
    HANDLE user = CreateThread(nullptr, 0, PressOkOnAboutBox, nullptr, 0, nullptr);
    DebugOutputCapture trace;
    EXPECT_EQ(snapview->AboutBox(), S_OK);
    EXPECT_TRUE(trace.Take().empty());
    WaitForSingleObject(user, 10000);
    DWORD found = 1;
    GetExitCodeThread(user, &found);
    CloseHandle(user);
    EXPECT_EQ(found, 0u);
    EXPECT_STREQ(seenText, L"Quibb's Clipboard Control");
    snapview->Release();
    control->Release();
}

// (Null arguments are the null sweep's, null_test.cpp.)
TEST_F(ControlTest, DispatchRefusesWhatItCannotServe) {
    ASSERT_TRUE(clipboard.PutDib(MakeSolidDib(8, 8, RGB(0, 0, 255))));
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(CreateControl(nullptr, IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    ITypeInfo* info = nullptr;
    EXPECT_TRUE(FAILED(dispatch->GetTypeInfo(1, 0, &info)));
    EXPECT_EQ(info, nullptr);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(dispatch->Invoke(99, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr,
                               nullptr), DISP_E_MEMBERNOTFOUND);
    // A put without its value.
    EXPECT_TRUE(FAILED(dispatch->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYPUT, &none, nullptr,
                                        nullptr, nullptr)));
    EXPECT_EQ(dispatch->Release(), 0u);
}
