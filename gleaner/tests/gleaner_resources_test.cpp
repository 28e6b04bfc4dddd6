// The resources embedded in Gleaner.dll: its type library, as a container or a script
// host reads it, its toolbox bitmap and its icon.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "gleaner_server_fixture.h"
#include "testing/architecture.h"

using namespace gleaner_test;

namespace {

ITypeLib* EmbeddedLibrary() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(Server().module, path, MAX_PATH);
    ITypeLib* library = nullptr;
    EXPECT_EQ(LoadTypeLibEx(path, REGKIND_NONE, &library), S_OK);
    return library;
}

struct TypeFacts {
    TYPEKIND kind;
    GUID guid;
    WORD flags;
    WORD major, minor;
    WORD functions;
    WORD vtableBytes;
};

TypeFacts Facts(ITypeInfo* info) {
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    TypeFacts facts = {attr->typekind, attr->guid, attr->wTypeFlags, attr->wMajorVerNum,
                       attr->wMinorVerNum, attr->cFuncs, attr->cbSizeVft};
    info->ReleaseTypeAttr(attr);
    return facts;
}

}  // namespace

TEST_F(GleanerTest, TypeLibraryHoldsItsThreeTypesInOrder) {
    ITypeLib* library = EmbeddedLibrary();
    ASSERT_NE(library, nullptr);
    TLIBATTR* attr = nullptr;
    library->GetLibAttr(&attr);
    EXPECT_TRUE(IsEqualGUID(attr->guid, LIBID_GleanerLibrary));
    EXPECT_EQ(attr->lcid, 0x409u);
    EXPECT_EQ(attr->syskind, kBuildSysKind);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    library->ReleaseTLibAttr(attr);
    ASSERT_EQ(library->GetTypeInfoCount(), 3u);

    ITypeInfo* events = nullptr;
    ITypeInfo* dual = nullptr;
    ITypeInfo* coclass = nullptr;
    library->GetTypeInfo(0, &events);
    library->GetTypeInfo(1, &dual);
    library->GetTypeInfo(2, &coclass);

    TypeFacts e = Facts(events);
    EXPECT_EQ(e.kind, TKIND_DISPATCH);
    EXPECT_TRUE(IsEqualGUID(e.guid, DIID_DIGleanerEvents));
    EXPECT_TRUE(e.flags & TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(e.major, 1);
    EXPECT_EQ(e.minor, 0);
    EXPECT_EQ(e.functions, 1);
    FUNCDESC* fn = nullptr;

    TypeFacts d = Facts(dual);
    EXPECT_EQ(d.kind, TKIND_DISPATCH);  // a dual interface reads as its dispatch half
    EXPECT_TRUE(IsEqualGUID(d.guid, IID_IGleaner));
    EXPECT_EQ(d.flags & (TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE),
              TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(d.major, 1);
    HREFTYPE vtableHalf = 0;
    ASSERT_EQ(dual->GetRefTypeOfImplType(-1, &vtableHalf), S_OK);
    ITypeInfo* vtable = nullptr;
    ASSERT_EQ(dual->GetRefTypeInfo(vtableHalf, &vtable), S_OK);
    TypeFacts v = Facts(vtable);
    EXPECT_EQ(v.vtableBytes, 12 * kVtableSlot);  // 48 bytes on x86
    EXPECT_EQ(v.flags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION),
              TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION);
    struct Member {
        MEMBERID id;
        INVOKEKIND kind;
        SHORT offset;
    };
    // Slots 7 to 11, after IDispatch's: offsets 28 to 44 on x86.
    const Member members[] = {{1, INVOKE_FUNC, 7 * kVtableSlot},
                              {DISPID_TEXT, INVOKE_PROPERTYGET, 8 * kVtableSlot},
                              {DISPID_TEXT, INVOKE_PROPERTYPUT, 9 * kVtableSlot},
                              {DISPID_PICTURE, INVOKE_PROPERTYGET, 10 * kVtableSlot},
                              {DISPID_PICTURE, INVOKE_PROPERTYPUT, 11 * kVtableSlot}};
    ASSERT_EQ(v.functions, 5);
    for (UINT i = 0; i < 5; ++i) {
        vtable->GetFuncDesc(i, &fn);
        EXPECT_EQ(fn->memid, members[i].id) << i;
        EXPECT_EQ(fn->invkind, members[i].kind) << i;
        EXPECT_EQ(fn->oVft, members[i].offset) << i;
        if (fn->memid == DISPID_TEXT) {
            EXPECT_EQ(fn->wFuncFlags & (FUNCFLAG_FBINDABLE | FUNCFLAG_FDISPLAYBIND),
                      FUNCFLAG_FBINDABLE | FUNCFLAG_FDISPLAYBIND);
        }
        if (i == 3) {
            // The picture is the standard one from the imported OLE library.
            const TYPEDESC& pointer = fn->lprgelemdescParam[0].tdesc;
            ASSERT_EQ(pointer.vt, VT_PTR);
            ASSERT_EQ(pointer.lptdesc->vt, VT_PTR);
            ASSERT_EQ(pointer.lptdesc->lptdesc->vt, VT_USERDEFINED);
            ITypeInfo* picture = nullptr;
            ASSERT_EQ(vtable->GetRefTypeInfo(pointer.lptdesc->lptdesc->hreftype, &picture), S_OK);
            TYPEATTR* alias = nullptr;
            picture->GetTypeAttr(&alias);
            ASSERT_EQ(alias->typekind, TKIND_ALIAS);  // IPictureDisp names the Picture type
            ITypeInfo* target = nullptr;
            ASSERT_EQ(picture->GetRefTypeInfo(alias->tdescAlias.hreftype, &target), S_OK);
            picture->ReleaseTypeAttr(alias);
            EXPECT_TRUE(IsEqualGUID(Facts(target).guid, IID_IPictureDisp));
            target->Release();
            picture->Release();
        }
        vtable->ReleaseFuncDesc(fn);
    }
    vtable->Release();

    TypeFacts c = Facts(coclass);
    EXPECT_EQ(c.kind, TKIND_COCLASS);
    EXPECT_TRUE(IsEqualGUID(c.guid, CLSID_Gleaner));
    EXPECT_EQ(c.flags & (TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL), TYPEFLAG_FCANCREATE);
    EXPECT_EQ(c.major, 1);

    events->Release();
    dual->Release();
    coclass->Release();
    library->Release();
}

TEST_F(GleanerTest, ToolboxBitmapAndIconAreResourceOne) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(Server().module, MAKEINTRESOURCEA(1), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 24);
    EXPECT_EQ(dib.dsBm.bmHeight, 24);
    EXPECT_EQ(dib.dsBmih.biBitCount, 4);
    DeleteObject(bitmap);
    HICON icon = static_cast<HICON>(LoadImageA(Server().module, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                               32, 32, 0));
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
    // Every resource answers to ID 1, the icon's single image included.
    const wchar_t* types[] = {L"REGISTRY", L"TYPELIB", MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(14),
                              MAKEINTRESOURCEW(3)};  // bitmap, icon group, icon
    for (const wchar_t* type : types)
        EXPECT_NE(FindResourceW(Server().module, MAKEINTRESOURCEW(1), type), nullptr)
            << (IS_INTRESOURCE(type) ? "standard type" : "named type");
    HRSRC group = FindResourceW(Server().module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));
    ASSERT_NE(group, nullptr);
    // An icon directory: reserved, type, count, then one entry per image.
    auto* directory = static_cast<const WORD*>(LockResource(LoadResource(Server().module, group)));
    EXPECT_EQ(directory[2], 1);
}

// What object browsers and script hosts read besides the layout: the names,
// the parameter directions, the event member and the coclass's roles.
TEST_F(GleanerTest, TypeLibraryNamesParametersEventAndCoclassRoles) {
    ITypeLib* library = EmbeddedLibrary();
    ASSERT_NE(library, nullptr);
    BSTR name = nullptr, help = nullptr;
    ASSERT_EQ(library->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"GleanerLibrary");
    EXPECT_STREQ(help, L"Gleaner Library");
    SysFreeString(name);
    SysFreeString(help);
    const wchar_t* names[] = {L"DIGleanerEvents", L"IGleaner", L"Gleaner"};
    for (UINT i = 0; i < 3; ++i) {
        DWORD context = 1;
        ASSERT_EQ(library->GetDocumentation(i, &name, &help, &context, nullptr), S_OK);
        EXPECT_STREQ(name, names[i]);
        EXPECT_EQ(help, nullptr) << i;
        EXPECT_EQ(context, 0u) << i;
        SysFreeString(name);
        SysFreeString(help);
    }

    ITypeInfo* events = nullptr;
    library->GetTypeInfo(0, &events);
    FUNCDESC* fn = nullptr;
    ASSERT_EQ(events->GetFuncDesc(0, &fn), S_OK);
    EXPECT_EQ(fn->memid, 1);
    EXPECT_EQ(fn->invkind, INVOKE_FUNC);
    EXPECT_EQ(fn->cParams, 0);
    events->ReleaseFuncDesc(fn);
    ASSERT_EQ(events->GetDocumentation(1, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"OnGrabFromClipboard");
    SysFreeString(name);
    events->Release();

    ITypeInfo* dual = nullptr;
    library->GetTypeInfo(1, &dual);
    HREFTYPE vtableHalf = 0;
    dual->GetRefTypeOfImplType(-1, &vtableHalf);
    ITypeInfo* vtable = nullptr;
    ASSERT_EQ(dual->GetRefTypeInfo(vtableHalf, &vtable), S_OK);
    const USHORT directions[] = {0, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL, PARAMFLAG_FIN,
                                 PARAMFLAG_FOUT | PARAMFLAG_FRETVAL, PARAMFLAG_FIN};
    for (UINT i = 0; i < 5; ++i) {
        ASSERT_EQ(vtable->GetFuncDesc(i, &fn), S_OK);
        EXPECT_EQ(fn->cParams, i == 0 ? 0 : 1) << i;
        EXPECT_EQ(fn->callconv, CC_STDCALL) << i;
        EXPECT_EQ(fn->elemdescFunc.tdesc.vt, VT_HRESULT) << i;
        if (fn->cParams == 1) {
            EXPECT_EQ(fn->lprgelemdescParam[0].paramdesc.wParamFlags & 0xF, directions[i]) << i;
        }
        if (i == 1 || i == 3) {
            BSTR names2[2] = {};
            UINT count = 0;
            ASSERT_EQ(vtable->GetNames(fn->memid, names2, 2, &count), S_OK);
            ASSERT_EQ(count, 2u);
            EXPECT_STREQ(names2[0], i == 1 ? L"Text" : L"Picture");
            EXPECT_STREQ(names2[1], L"Value");
            SysFreeString(names2[0]);
            SysFreeString(names2[1]);
        }
        vtable->ReleaseFuncDesc(fn);
    }
    vtable->Release();
    dual->Release();

    ITypeInfo* coclass = nullptr;
    library->GetTypeInfo(2, &coclass);
    TYPEATTR* attr = nullptr;
    coclass->GetTypeAttr(&attr);
    ASSERT_EQ(attr->cImplTypes, 2);
    coclass->ReleaseTypeAttr(attr);
    const IID* implemented[] = {&DIID_DIGleanerEvents, &IID_IGleaner};
    const INT roles[] = {IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE, IMPLTYPEFLAG_FDEFAULT};
    for (UINT i = 0; i < 2; ++i) {
        INT flags = 0;
        coclass->GetImplTypeFlags(i, &flags);
        EXPECT_EQ(flags, roles[i]) << i;
        HREFTYPE ref = 0;
        coclass->GetRefTypeOfImplType(i, &ref);
        ITypeInfo* type = nullptr;
        ASSERT_EQ(coclass->GetRefTypeInfo(ref, &type), S_OK);
        TYPEATTR* typeAttr = nullptr;
        type->GetTypeAttr(&typeAttr);
        EXPECT_TRUE(IsEqualGUID(typeAttr->guid, *implemented[i])) << i;
        type->ReleaseTypeAttr(typeAttr);
        type->Release();
    }
    coclass->Release();
    library->Release();
}
