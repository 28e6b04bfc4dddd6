// The type library embedded in the library, as automation clients and
// control containers read it, and the pictures beside it.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "snapview_library.h"
#include "testing/architecture.h"

using namespace snapview_test;

namespace {

class TypeLibTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t path[MAX_PATH];
        ASSERT_TRUE(GetModuleFileNameW(Server().module, path, MAX_PATH));
        ASSERT_EQ(LoadTypeLibEx(path, REGKIND_NONE, &library), S_OK);
    }
    void TearDown() override {
        if (library) library->Release();
    }
    std::wstring Doc(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
        BSTR text = nullptr;
        info->GetDocumentation(id, nullptr, &text, nullptr, nullptr);
        std::wstring out = text ? text : L"";
        SysFreeString(text);
        return out;
    }
    ITypeLib* library = nullptr;
};

struct Shape {
    TYPEKIND kind;
    WORD flags;
    WORD functions;
};

Shape ShapeOf(ITypeInfo* info) {
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    Shape shape{attr->typekind, attr->wTypeFlags, attr->cFuncs};
    info->ReleaseTypeAttr(attr);
    return shape;
}

}  // namespace

TEST_F(TypeLibTest, LibraryAndClassCarryTheirIdentity) {
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, LIBID_SnapviewLibrary);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->lcid, 0x0409u);
    EXPECT_EQ(attr->syskind, kBuildSysKind);
    library->ReleaseTLibAttr(attr);
    BSTR help = nullptr;
    ASSERT_EQ(library->GetDocumentation(-1, nullptr, &help, nullptr, nullptr), S_OK);
    EXPECT_STREQ(help, L"Quibb's Clipboard Control's Type Library");
    SysFreeString(help);
    BSTR helpFile = nullptr;
    ASSERT_EQ(library->GetDocumentation(-1, nullptr, nullptr, nullptr, &helpFile), S_OK);
    EXPECT_EQ(helpFile, nullptr);
    SysFreeString(helpFile);

    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_Snapview, &coclass), S_OK);
    Shape shape = ShapeOf(coclass);
    EXPECT_EQ(shape.kind, TKIND_COCLASS);
    EXPECT_EQ(shape.flags, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL);
    EXPECT_EQ(Doc(coclass), L"Quibb's Clipboard Control");
    const IID* implemented[] = {&DIID_DISnapview, &IID_ISnapview, &DIID_DISnapviewAdviseSink};
    const INT implFlags[] = {IMPLTYPEFLAG_FDEFAULT, 0,
                             IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE};
    for (UINT i = 0; i < 3; ++i) {
        HREFTYPE ref = 0;
        ITypeInfo* impl = nullptr;
        ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &ref), S_OK);
        ASSERT_EQ(coclass->GetRefTypeInfo(ref, &impl), S_OK);
        TYPEATTR* implAttr = nullptr;
        impl->GetTypeAttr(&implAttr);
        EXPECT_EQ(implAttr->guid, *implemented[i]) << i;
        impl->ReleaseTypeAttr(implAttr);
        impl->Release();
        INT flags = -1;
        coclass->GetImplTypeFlags(i, &flags);
        EXPECT_EQ(flags, implFlags[i]) << i;
    }
    coclass->Release();
}

TEST_F(TypeLibTest, InterfacesHaveTheirSlotsAndMemberIds) {
    ITypeInfo* vtable = nullptr;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID_ISnapview, &vtable), S_OK);
    Shape shape = ShapeOf(vtable);
    EXPECT_EQ(shape.kind, TKIND_INTERFACE);
    EXPECT_EQ(shape.flags, 0);  // neither dual nor for automation
    ASSERT_EQ(shape.functions, 4);
    const MEMBERID ids[] = {2, 2, 1, -552};
    const INVOKEKIND kinds[] = {INVOKE_PROPERTYGET, INVOKE_PROPERTYPUT, INVOKE_FUNC, INVOKE_FUNC};
    const VARTYPE results[] = {VT_BSTR, VT_VOID, VT_HRESULT, VT_HRESULT};
    const SHORT params[] = {0, 1, 0, 0};
    for (UINT i = 0; i < 4; ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_EQ(vtable->GetFuncDesc(i, &f), S_OK);
        EXPECT_EQ(f->memid, ids[i]) << i;
        EXPECT_EQ(f->invkind, kinds[i]) << i;
        EXPECT_EQ(f->oVft, static_cast<SHORT>((3 + i) * sizeof(void*))) << i;
        EXPECT_EQ(f->callconv, CC_STDCALL) << i;
        EXPECT_EQ(f->elemdescFunc.tdesc.vt, results[i]) << i;
        ASSERT_EQ(f->cParams, params[i]) << i;
        if (f->cParams == 1) {
            EXPECT_EQ(f->lprgelemdescParam[0].tdesc.vt, VT_BSTR);
            EXPECT_EQ(f->lprgelemdescParam[0].paramdesc.wParamFlags & PARAMFLAG_FIN,
                      PARAMFLAG_FIN);
        }
        vtable->ReleaseFuncDesc(f);
    }
    EXPECT_EQ(Doc(vtable), L"Definition of interface ISnapview");
    EXPECT_EQ(Doc(vtable, 2), L"The current Title");
    EXPECT_EQ(Doc(vtable, 1), L"Get data from clipboard");
    EXPECT_EQ(Doc(vtable, -552), L"Show AboutBox");
    vtable->Release();

    ITypeInfo* events = nullptr;
    ASSERT_EQ(library->GetTypeInfoOfGuid(DIID_DISnapviewAdviseSink, &events), S_OK);
    shape = ShapeOf(events);
    EXPECT_EQ(shape.kind, TKIND_DISPATCH);
    EXPECT_TRUE(shape.flags & TYPEFLAG_FDISPATCHABLE);
    ASSERT_EQ(shape.functions, 1);
    FUNCDESC* f = nullptr;
    ASSERT_EQ(events->GetFuncDesc(0, &f), S_OK);
    EXPECT_EQ(f->memid, 0);
    EXPECT_EQ(f->cParams, 0);
    events->ReleaseFuncDesc(f);
    EXPECT_EQ(Doc(events, 0), L"Data was grabbed from the clipboard");
    EXPECT_EQ(Doc(events), L"Definition of dispinterface DISnapviewAdviseSink");
    events->Release();

    // The dispinterface declared from ISnapview: its names under the same ids.
    ITypeInfo* dispatch = nullptr;
    ASSERT_EQ(library->GetTypeInfoOfGuid(DIID_DISnapview, &dispatch), S_OK);
    shape = ShapeOf(dispatch);
    EXPECT_EQ(shape.kind, TKIND_DISPATCH);
    EXPECT_EQ(shape.flags, TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(Doc(dispatch), L"Dispatch Interface DISnapview");
    const wchar_t* names[] = {L"Title", L"GrabFromClipboard", L"AboutBox"};
    const MEMBERID named[] = {2, 1, -552};
    for (int i = 0; i < 3; ++i) {
        LPOLESTR name = const_cast<LPOLESTR>(names[i]);
        MEMBERID id = 0;
        ASSERT_EQ(dispatch->GetIDsOfNames(&name, 1, &id), S_OK) << i;
        EXPECT_EQ(id, named[i]) << i;
    }
    dispatch->Release();
}

TEST_F(TypeLibTest, IconAndToolboxBitmapAreResourceOne) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(Server().module, MAKEINTRESOURCEW(1), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_TRUE(bitmap);
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 24);
    EXPECT_EQ(info.bmHeight, 24);
    DeleteObject(bitmap);
    HICON icon = static_cast<HICON>(
        LoadImageW(Server().module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
    EXPECT_TRUE(icon);
    DestroyIcon(icon);
}
