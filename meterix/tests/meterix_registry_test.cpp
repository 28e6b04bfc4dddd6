// The server's registration through its registrar chain, run by the
// platform's regsvr32 and read back with the platform's registry functions,
// the embedding runtime and the type-library loader.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>

#include "meterix_fixture.h"
#include "testing/architecture.h"
#include "testing/child_process.h"

using namespace meterix_test;

namespace {

const char kClassKey[] = "CLSID\\{FB529B30-A1BF-11D1-AAEC-00C04FAD1EAD}";
const char kLibrary[] = "TypeLib\\{FB529B2B-A1BF-11D1-AAEC-00C04FAD1EAD}";

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string Value(const std::string& path, const char* name = nullptr) {
    char data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return "<missing>";
    return data;
}

// Subkeys and values under a key: exactly what was written, once each.
std::pair<DWORD, DWORD> Counts(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {~0u, ~0u};
    DWORD keys = 0, values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return {keys, values};
}

std::string ModulePath() {
    char path[MAX_PATH];
    GetModuleFileNameA(Server().module, path, MAX_PATH);
    return path;
}

void RunRegsvr32(const char* arguments) {
    suite::testing::ChildProcess regsvr(std::string("regsvr32 /s ") + arguments + " Meterix.dll");
    ASSERT_TRUE(regsvr.Started());
    EXPECT_EQ(regsvr.Wait(30000), 0u) << arguments;
}

void ExpectRegistered() {
    const std::string c = kClassKey;
    EXPECT_EQ(Value(c), "ProgressBarX Control");
    EXPECT_STRCASEEQ(Value(c + "\\InprocServer32").c_str(), ModulePath().c_str());
    EXPECT_EQ(Value(c + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(Value("Meterix.ProgressBarX"), "ProgressBarX Control");
    EXPECT_EQ(Value("Meterix.ProgressBarX\\CLSID"), "{FB529B30-A1BF-11D1-AAEC-00C04FAD1EAD}");
    EXPECT_EQ(Value(c + "\\ProgID"), "Meterix.ProgressBarX");
    EXPECT_EQ(Value(c + "\\Version"), "1.0");
    EXPECT_EQ(Value(c + "\\Typelib"), "{FB529B2B-A1BF-11D1-AAEC-00C04FAD1EAD}");
    EXPECT_EQ(Value(c + "\\MiscStatus"), "0");
    EXPECT_EQ(Value(c + "\\MiscStatus\\1"), "131473");
    EXPECT_STRCASEEQ(Value(c + "\\ToolboxBitmap32").c_str(), (ModulePath() + ",1").c_str());
    EXPECT_EQ(Value(c + "\\Control"), "");
    EXPECT_EQ(Value(c + "\\Verb"), "");
    EXPECT_EQ(Value(c + "\\Verb\\0"), "Properties,0,2");
    EXPECT_EQ(Counts(c), std::make_pair(DWORD{8}, DWORD{1}));
    EXPECT_EQ(Counts(c + "\\Verb"), std::make_pair(DWORD{1}, DWORD{1}));
    EXPECT_EQ(Counts("Meterix.ProgressBarX"), std::make_pair(DWORD{1}, DWORD{1}));
    EXPECT_STRCASEEQ(Value(std::string(kLibrary) + "\\1.0\\409\\" + kTypeLibPlatformKey).c_str(),
                     ModulePath().c_str());
}

class MeterixRegistryTest : public MeterixTest {
protected:
    void TearDown() override {
        Server().unregisterServer();
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kLibrary);
        MeterixTest::TearDown();
    }
};

}  // namespace

TEST_F(MeterixRegistryTest, Regsvr32TwiceWritesTheEntriesOnceAndUnregisterLeavesTheTypeLibrary) {
    RunRegsvr32("");
    ExpectRegistered();
    RunRegsvr32("");
    ExpectRegistered();
    RunRegsvr32("/u");
    EXPECT_FALSE(KeyExists(kClassKey));
    EXPECT_FALSE(KeyExists("Meterix.ProgressBarX"));
    EXPECT_TRUE(KeyExists("CLSID"));
    EXPECT_TRUE(KeyExists(std::string(kLibrary) + "\\1.0"));
    // Unregistering what is not there is no failure.
    EXPECT_EQ(Server().unregisterServer(), S_OK);
}

TEST_F(MeterixRegistryTest, RuntimeReadsVerbsStatusAndTheControlsTypeLibrary) {
    ASSERT_EQ(Server().registerServer(), S_OK);
    IEnumOLEVERB* verbs = nullptr;
    ASSERT_EQ(OleRegEnumVerbs(CLSID_ProgressBarX, &verbs), S_OK);
    OLEVERB verb{};
    ASSERT_EQ(verbs->Next(1, &verb, nullptr), S_OK);
    EXPECT_EQ(verb.lVerb, 0);
    EXPECT_STREQ(verb.lpszVerbName, L"Properties");
    EXPECT_EQ(verb.fuFlags, 0u);
    EXPECT_EQ(verb.grfAttribs, 2u);
    CoTaskMemFree(verb.lpszVerbName);
    EXPECT_EQ(verbs->Next(1, &verb, nullptr), S_FALSE);
    verbs->Release();
    DWORD status = 0;
    EXPECT_EQ(OleRegGetMiscStatus(CLSID_ProgressBarX, DVASPECT_CONTENT, &status), S_OK);
    EXPECT_EQ(status, 131473u);
    CLSID byProgId{};
    EXPECT_EQ(CLSIDFromProgID(L"Meterix.ProgressBarX", &byProgId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(byProgId, CLSID_ProgressBarX));

    ITypeLib* library = nullptr;
    ASSERT_EQ(LoadRegTypeLib(LIBID_Meterix, 1, 0, 0x409, &library), S_OK);
    TLIBATTR* attributes = nullptr;
    library->GetLibAttr(&attributes);
    EXPECT_EQ(attributes->lcid, 0x409u);
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    // The loader adds that it read the library from a file.
    EXPECT_EQ(attributes->wLibFlags & ~LIBFLAG_FHASDISKIMAGE, LIBFLAG_FCONTROL);
    EXPECT_EQ(attributes->syskind, kBuildSysKind);
    library->ReleaseTLibAttr(attributes);
    BSTR doc = nullptr;
    library->GetDocumentation(-1, nullptr, &doc, nullptr, nullptr);
    EXPECT_EQ(suite::testing::TakeString(doc), L"Meterix Library");

    struct Expected {
        const wchar_t* name;
        TYPEKIND kind;
        WORD flags;
        const wchar_t* help;
    } expected[] = {
        // The dispatch view of the dual interface (its vtable half says OLE-automation).
        {L"IProgressBarX", TKIND_DISPATCH, TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE,
         L"Dispatch interface for ProgressBarX Control"},
        {L"IProgressBarXEvents", TKIND_DISPATCH, TYPEFLAG_FDISPATCHABLE, L"Events interface for ProgressBarX Control"},
        {L"ProgressBarX", TKIND_COCLASS, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL, L"ProgressBarX Control"},
        {L"TxDragMode", TKIND_ENUM, 0, L"<null>"},
        {L"TxMouseButton", TKIND_ENUM, 0, L"<null>"},
    };
    ASSERT_EQ(library->GetTypeInfoCount(), 5u);
    for (UINT i = 0; i < 5; ++i) {
        BSTR name = nullptr, help = nullptr;
        library->GetDocumentation(static_cast<INT>(i), &name, &help, nullptr, nullptr);
        EXPECT_EQ(suite::testing::TakeString(name), expected[i].name) << i;
        EXPECT_EQ(suite::testing::TakeString(help), expected[i].help) << i;
        ITypeInfo* info = nullptr;
        ASSERT_EQ(library->GetTypeInfo(i, &info), S_OK);
        TYPEATTR* type = nullptr;
        info->GetTypeAttr(&type);
        EXPECT_EQ(type->typekind, expected[i].kind) << i;
        EXPECT_EQ(type->wTypeFlags, expected[i].flags) << i;
        if (expected[i].kind == TKIND_DISPATCH) {
            EXPECT_EQ(type->wMajorVerNum, 1) << i;
        }
        info->ReleaseTypeAttr(type);
        if (i == 0) {
            HREFTYPE vtableHalf = 0;
            ASSERT_EQ(info->GetRefTypeOfImplType(-1, &vtableHalf), S_OK);
            ITypeInfo* dual = nullptr;
            ASSERT_EQ(info->GetRefTypeInfo(vtableHalf, &dual), S_OK);
            dual->GetTypeAttr(&type);
            EXPECT_EQ(type->wTypeFlags, TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE);
            EXPECT_EQ(type->cFuncs, 21);
            dual->ReleaseTypeAttr(type);
            dual->Release();
        }
        if (i == 4) {
            // Each enumerator's help string is its own name.
            for (UINT v = 0; v < 3; ++v) {
                VARDESC* var = nullptr;
                ASSERT_EQ(info->GetVarDesc(v, &var), S_OK);
                BSTR varName = nullptr, varHelp = nullptr;
                info->GetDocumentation(var->memid, &varName, &varHelp, nullptr, nullptr);
                EXPECT_EQ(V_I4(var->lpvarValue), static_cast<LONG>(v));
                std::wstring n = suite::testing::TakeString(varName);
                EXPECT_EQ(suite::testing::TakeString(varHelp), n);
                info->ReleaseVarDesc(var);
            }
        }
        info->Release();
    }
    library->Release();
}
