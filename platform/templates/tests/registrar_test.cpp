// The registrar runs scripts against a private key under HKEY_CURRENT_USER.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "templates/registrar.h"

namespace {

const char kBase[] = "Software\\SuiteRegistrarTest";

std::string Read(const std::string& sub, const char* name = nullptr) {
    char data[512] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, (std::string(kBase) + sub).c_str(), name, RRF_RT_ANY,
                     nullptr, data, &size) != ERROR_SUCCESS)
        return "<missing>";
    return data;
}

DWORD ReadNumber(const std::string& sub, const char* name) {
    DWORD value = 0, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, (std::string(kBase) + sub).c_str(), name, RRF_RT_REG_DWORD,
                 nullptr, &value, &size);
    return value;
}

bool Exists(const std::string& sub) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kBase) + sub).c_str(), 0, KEY_READ, &key))
        return false;
    RegCloseKey(key);
    return true;
}

class RegistrarTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kBase); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kBase); }
};

const wchar_t kScript[] = LR"(
HKCU
{
    NoRemove Software
    {
        SuiteRegistrarTest
        {
            ForceRemove Forced = s 'It''s %NAME%'
            {
                val Number = d '42'
                val Hex = d '0x10'
                {B0B0B0B0-0000-0000-0000-000000000001} = s '%%literal'
            }
            Plain = s 'plain'
            {
                'Quoted Name' = s '%MODULE%, 1'
            }
            Marker
        }
    }
}
)";

}  // namespace

TEST_F(RegistrarTest, RegistersKeysValuesAndReplacements) {
    tpl::Registrar registrar;
    registrar.AddReplacement(L"NAME", L"fine");
    registrar.AddReplacement(L"MODULE", L"C:\\a 'quoted' path\\x.dll");
    ASSERT_EQ(registrar.StringRegister(kScript), S_OK);
    EXPECT_EQ(Read("\\Forced"), "It's fine");
    EXPECT_EQ(ReadNumber("\\Forced", "Number"), 42u);
    EXPECT_EQ(ReadNumber("\\Forced", "Hex"), 16u);
    EXPECT_EQ(Read("\\Forced\\{B0B0B0B0-0000-0000-0000-000000000001}"), "%literal");
    EXPECT_EQ(Read("\\Plain"), "plain");
    // A replaced value can hold quotes without changing the script.
    EXPECT_EQ(Read("\\Plain\\Quoted Name"), "C:\\a 'quoted' path\\x.dll, 1");
    EXPECT_TRUE(Exists("\\Marker"));
}

TEST_F(RegistrarTest, ForceRemoveClearsOnRegisterAndUnregisterKeepsForeignKeys) {
    tpl::Registrar registrar;
    registrar.AddReplacement(L"NAME", L"x");
    registrar.AddReplacement(L"MODULE", L"m");
    ASSERT_EQ(registrar.StringRegister(kScript), S_OK);
    HKEY extra;
    RegCreateKeyA(HKEY_CURRENT_USER, (std::string(kBase) + "\\Forced\\Extra").c_str(), &extra);
    RegCloseKey(extra);
    RegCreateKeyA(HKEY_CURRENT_USER, (std::string(kBase) + "\\Plain\\Foreign").c_str(), &extra);
    RegCloseKey(extra);
    ASSERT_EQ(registrar.StringRegister(kScript), S_OK);
    EXPECT_FALSE(Exists("\\Forced\\Extra"));
    EXPECT_TRUE(Exists("\\Plain\\Foreign"));

    ASSERT_EQ(registrar.StringUnregister(kScript), S_OK);
    EXPECT_FALSE(Exists("\\Forced"));
    EXPECT_FALSE(Exists("\\Marker"));
    EXPECT_FALSE(Exists("\\Plain\\Quoted Name"));
    EXPECT_TRUE(Exists("\\Plain\\Foreign"));  // someone else's key keeps its parent
    EXPECT_TRUE(Exists(""));
    // Running it again on what is already gone is no failure.
    EXPECT_EQ(registrar.StringUnregister(kScript), S_OK);
}

TEST_F(RegistrarTest, MalformedScriptsAreRefusedBeforeWritingAnything) {
    tpl::Registrar registrar;
    const wchar_t* bad[] = {
        L"HKCU { Software { SuiteRegistrarTest = s 'unterminated } }",
        L"HKCU { Software { SuiteRegistrarTest = x 'bad type' } }",
        L"HKCU { Software { SuiteRegistrarTest { } }",
        L"NOWHERE { Key }",
        L"HKCU { Software { SuiteRegistrarTest = s '%UNKNOWN%' } }",
    };
    for (const wchar_t* script : bad) {
        EXPECT_EQ(registrar.StringRegister(script), HRESULT_FROM_WIN32(ERROR_INVALID_DATA)) << script;
        EXPECT_FALSE(Exists(""));
    }
}
