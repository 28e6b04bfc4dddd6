// The server's registration: its script, run in both modes by its own entry
// points and by the platform's regsvr32, read back from the registry.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>

#include "gleaner_server_fixture.h"
#include "testing/architecture.h"
#include "testing/child_process.h"

using namespace gleaner_test;

namespace {

const char kClassKey[] = "CLSID\\{A33896F2-B98F-11D1-AB08-00C04FAD1EAD}";

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The string value, or "<missing>".
std::string Value(const std::string& path, const char* name = nullptr) {
    char data[1024] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegGetValueA(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, &type, data, &size) !=
        ERROR_SUCCESS)
        return "<missing>";
    return data;
}

DWORD SubkeyCount(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return ~0u;
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return count;
}

std::string ModulePath() {
    char path[MAX_PATH];
    GetModuleFileNameA(Server().module, path, MAX_PATH);
    return path;
}

void ExpectRegistered() {
    const std::string c = kClassKey;
    EXPECT_EQ(Value("Quibbs.Gleaner.1"), "Quibbs Gleaner Class");
    EXPECT_EQ(Value("Quibbs.Gleaner.1\\CLSID"), "{A33896F2-B98F-11D1-AB08-00C04FAD1EAD}");
    EXPECT_EQ(Value("Quibbs.Gleaner"), "Quibbs Gleaner Class");
    EXPECT_EQ(Value("Quibbs.Gleaner\\CurVer"), "Quibbs.Gleaner.1");
    EXPECT_EQ(Value(c), "Quibbs Gleaner Class");
    EXPECT_EQ(Value(c + "\\ProgID"), "Quibbs.Gleaner.1");
    EXPECT_EQ(Value(c + "\\VersionIndependentProgID"), "Quibbs.Gleaner");
    EXPECT_STRCASEEQ(Value(c + "\\InprocServer32").c_str(), ModulePath().c_str());
    EXPECT_EQ(Value(c + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_TRUE(KeyExists(c + "\\Control"));
    EXPECT_TRUE(KeyExists(c + "\\Insertable"));
    EXPECT_STRCASEEQ(Value(c + "\\ToolboxBitmap32").c_str(), (ModulePath() + ", 1").c_str());
    EXPECT_EQ(Value(c + "\\MiscStatus"), "0");
    EXPECT_EQ(Value(c + "\\MiscStatus\\1"), "131473");
    EXPECT_EQ(Value(c + "\\TypeLib"), "{A33896F1-B98F-11D1-AB08-00C04FAD1EAD}");
    EXPECT_EQ(Value(c + "\\Version"), "1.0");
    EXPECT_EQ(Value(c + "\\verb\\1"), "&GrabFromClipboard,0,2");
    // Exactly the script's keys, each once.
    EXPECT_EQ(SubkeyCount(c), 10u);
    EXPECT_EQ(SubkeyCount("Quibbs.Gleaner.1"), 1u);
    EXPECT_EQ(SubkeyCount("Quibbs.Gleaner"), 1u);
}

void ExpectUnregistered() {
    EXPECT_FALSE(KeyExists("Quibbs.Gleaner.1"));
    EXPECT_FALSE(KeyExists("Quibbs.Gleaner"));
    EXPECT_FALSE(KeyExists(kClassKey));
    EXPECT_TRUE(KeyExists("CLSID"));
}

class GleanerRegistryTest : public GleanerTest {
protected:
    void TearDown() override {
        Server().unregisterServer();
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "TypeLib\\{A33896F1-B98F-11D1-AB08-00C04FAD1EAD}");
        GleanerTest::TearDown();
    }
};

}  // namespace

TEST_F(GleanerRegistryTest, RegisterTwiceThenUnregisterLeavesOneCopyThenNothing) {
    ASSERT_EQ(Server().registerServer(), S_OK);
    ExpectRegistered();
    // A stale entry under a ForceRemove key is gone after registering again.
    HKEY stale = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, (std::string(kClassKey) + "\\Stale").c_str(), &stale),
              ERROR_SUCCESS);
    RegCloseKey(stale);
    ASSERT_EQ(Server().registerServer(), S_OK);
    ExpectRegistered();

    ASSERT_EQ(Server().unregisterServer(), S_OK);
    ExpectUnregistered();
    // The type library stays registered, with the module's folder for help.
    const std::string library = "TypeLib\\{A33896F1-B98F-11D1-AB08-00C04FAD1EAD}\\1.0";
    const std::string module = ModulePath();
    EXPECT_STRCASEEQ(Value(library + "\\409\\" + kTypeLibPlatformKey).c_str(), module.c_str());
    EXPECT_STRCASEEQ(Value(library + "\\HELPDIR").c_str(),
                     module.substr(0, module.find_last_of("\\/")).c_str());
    // Unregistering what is not there is no failure.
    EXPECT_EQ(Server().unregisterServer(), S_OK);
}

TEST_F(GleanerRegistryTest, RuntimeReadsVerbsStatusUserTypeAndTypeLibrary) {
    ASSERT_EQ(Server().registerServer(), S_OK);

    IEnumOLEVERB* verbs = nullptr;
    ASSERT_EQ(OleRegEnumVerbs(CLSID_Gleaner, &verbs), S_OK);
    OLEVERB verb = {};
    ULONG fetched = 0;
    ASSERT_EQ(verbs->Next(1, &verb, &fetched), S_OK);
    EXPECT_EQ(verb.lVerb, 1);
    EXPECT_STREQ(verb.lpszVerbName, L"&GrabFromClipboard");
    EXPECT_EQ(verb.fuFlags, 0u);
    EXPECT_EQ(verb.grfAttribs, 2u);
    CoTaskMemFree(verb.lpszVerbName);
    EXPECT_EQ(verbs->Next(1, &verb, &fetched), S_FALSE);
    verbs->Release();

    DWORD status = 0;
    EXPECT_EQ(OleRegGetMiscStatus(CLSID_Gleaner, DVASPECT_CONTENT, &status), S_OK);
    EXPECT_EQ(status, 131473u);
    LPOLESTR userType = nullptr;
    ASSERT_EQ(OleRegGetUserType(CLSID_Gleaner, USERCLASSTYPE_FULL, &userType), S_OK);
    EXPECT_STREQ(userType, L"Quibbs Gleaner Class");
    CoTaskMemFree(userType);

    // The versioned ProgID names the class; the other one only points at it.
    CLSID byProgId = {};
    EXPECT_EQ(CLSIDFromProgID(L"Quibbs.Gleaner.1", &byProgId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(byProgId, CLSID_Gleaner));

    ITypeLib* library = nullptr;
    ASSERT_EQ(LoadRegTypeLib(LIBID_GleanerLibrary, 1, 0, 0x409, &library), S_OK);
    EXPECT_EQ(library->GetTypeInfoCount(), 3u);
    library->Release();
}

TEST_F(GleanerRegistryTest, PlatformRegsvr32RegistersAndUnregisters) {
    {
        suite::testing::ChildProcess regsvr("regsvr32 /s Gleaner.dll");
        ASSERT_TRUE(regsvr.Started());
        EXPECT_EQ(regsvr.Wait(30000), 0u);
    }
    ExpectRegistered();
    {
        suite::testing::ChildProcess regsvr("regsvr32 /s /u Gleaner.dll");
        ASSERT_TRUE(regsvr.Started());
        EXPECT_EQ(regsvr.Wait(30000), 0u);
    }
    ExpectUnregistered();
}
