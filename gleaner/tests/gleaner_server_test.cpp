// The server as a container meets it: class objects, creation (with and
// without a bitmap on the clipboard) and the unload check.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "gleaner_server_fixture.h"
#include "testing/debug_output.h"

using namespace gleaner_test;
using suite::testing::ClipboardScope;
using suite::testing::DebugOutputCapture;

namespace {

// The control's own trace lines, without the library's.
std::vector<std::string> OwnLines(const std::vector<std::string>& lines) {
    std::vector<std::string> own;
    for (const auto& l : lines)
        if (l.rfind("TGleanerImpl::", 0) == 0 || l.rfind("Couldn't", 0) == 0) own.push_back(l);
    return own;
}

IClassFactory* Factory() {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(Server().getClassObject(CLSID_Gleaner, IID_IClassFactory,
                                      reinterpret_cast<void**>(&factory)),
              S_OK);
    return factory;
}

}  // namespace

TEST_F(GleanerTest, ClassObjectIsCachedAndOnlyForTheGleanerClass) {
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(Server().getClassObject(IID_IUnknown, IID_IClassFactory, &out),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(Server().getClassObject(CLSID_Gleaner, IID_IClassFactory, nullptr), E_POINTER);

    IClassFactory* first = Factory();
    IClassFactory* second = Factory();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    // Handed-out factory references keep the server; the cache's own does not.
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
    second->Release();
    first->Release();
    EXPECT_EQ(Server().canUnloadNow(), S_OK);

    IClassFactory* factory = Factory();
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IGleaner, nullptr), E_POINTER);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
    factory = Factory();
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory->Release();
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(GleanerTest, CreationGrabsTheClipboardBitmapAndTraces) {
    DebugOutputCapture trace;
    IGleaner* control = CreateGleaner(RGB(0, 0, 255), 30, 10);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(OwnLines(trace.Take()),
              (std::vector<std::string>{"TGleanerImpl::TGleaner", "TGleanerImpl::FinalConstruct",
                                        "TGleanerImpl::GrabFromClipboard"}));
    EXPECT_EQ(RefCount(control), 1u);
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);

    BSTR text = nullptr;
    ASSERT_EQ(control->get_Text(&text), S_OK);
    EXPECT_STREQ(text, L"Quibb's Clipboard Template Control !");
    SysFreeString(text);

    IPictureDisp* picture = nullptr;
    ASSERT_EQ(control->get_Picture(&picture), S_OK);
    ASSERT_NE(picture, nullptr);
    IPicture* asPicture = Query<IPicture>(picture, IID_IPicture);
    SHORT type = 0;
    asPicture->get_Type(&type);
    EXPECT_EQ(type, PICTYPE_BITMAP);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    asPicture->get_Width(&w);
    asPicture->get_Height(&h);
    EXPECT_NEAR(static_cast<double>(w) / h, 3.0, 0.05);
    asPicture->Release();
    picture->Release();

    EXPECT_EQ(control->Release(), 0u);
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(GleanerTest, CreationFailsCleanlyWithoutABitmapOnTheClipboard) {
    ClipboardScope clipboard;
    ASSERT_TRUE(clipboard.PutUnicodeText(L"only text"));
    IClassFactory* factory = Factory();
    DebugOutputCapture trace;
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IGleaner, &out), E_FAIL);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(OwnLines(trace.Take()),
              (std::vector<std::string>{"TGleanerImpl::TGleaner", "TGleanerImpl::FinalConstruct",
                                        "TGleanerImpl::GrabFromClipboard", "Couldn't get format"}));
    factory->Release();
    // Nothing of the failed object is left holding the server.
    EXPECT_EQ(Server().canUnloadNow(), S_OK);

    // An empty clipboard fails the same way.
    ClipboardScope::Empty();
    factory = Factory();
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IGleaner, &out), E_FAIL);
    factory->Release();
}
