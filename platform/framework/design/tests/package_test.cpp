// A package loaded, used through what it registered, unloaded with all of
// that forgotten, and loaded again (frame_test_package.dll, built beside).
#include <gtest/gtest.h>

#include "framework/framework.h"
#include "testing/debug_output.h"

namespace {

const char* const Package = "frame_test_package.dll";

using Lines = std::vector<std::string>;

TEST(Packages, LoadRegisterUnloadAndLoadAgain) {
    EXPECT_EQ(GetPackageDescription(Package), "Test Gadgets");
    suite::testing::DebugOutputCapture trace;
    TTimer timer(nullptr);
    for (int round = 0; round < 2; ++round) {
        HMODULE package = LoadPackage(Package);
        EXPECT_EQ(trace.Take(), (Lines{"Gadgets initialized", "Plain initialized", "Gadgets registered"}));
        ASSERT_NE(GetPackageInfo(package), nullptr);
        EXPECT_EQ(GetPackageInfo(package)->Units.size(), 2u);
        const TClassInfo* gadget = GetClass("TGadget");
        ASSERT_NE(gadget, nullptr);
        EXPECT_EQ(gadget->Module(), package);
        EXPECT_EQ(PalettePage("Testing"), (std::vector<const TClassInfo*>{gadget, &TTimer::StaticClass()}));
        {
            // A gadget made on a form and edited through the package's editors.
            TComponent form(nullptr);
            TFormDesigner designer(&form);
            TComponent* made = designer.CreateComponent(*gadget, nullptr, 8, 16);
            EXPECT_EQ(made->Name(), "Gadget1");
            GetComponentEditor(made, &designer)->Edit();
            EXPECT_EQ(GetOrdProp(made, "Size"), 1);
            TPropertyEditors editors = GetPropertyEditors({made}, &designer);
            TPropertyEditor& size = *editors.back();
            ASSERT_EQ(size.GetName(), "Size");
            EXPECT_TRUE(size.GetAttributes().Contains(paDialog));
            size.Edit();
            EXPECT_EQ(GetOrdProp(made, "Size"), 100);
            EXPECT_EQ(GetComponentEditor(&timer, &designer)->GetVerb(0), "Tick");
        }

        UnloadPackage(package);
        EXPECT_EQ(trace.Take(), (Lines{"Plain finalized", "Gadgets finalized"}));
        EXPECT_EQ(GetModuleHandleA(Package), nullptr);
        EXPECT_EQ(GetPackageInfo(package), nullptr);
        EXPECT_EQ(GetClass("TGadget"), nullptr);
        EXPECT_TRUE(PalettePage("Testing").empty());  // the framework's timer too
        EXPECT_EQ(GetComponentEditor(&timer, nullptr)->GetVerbCount(), 0);
        EXPECT_EQ(GetClass("TTimer"), &TTimer::StaticClass());
    }
}

TEST(Packages, ARegistrationThatFailsLeavesNothingBehind) {
    suite::testing::DebugOutputCapture trace;
    SetEnvironmentVariableA("TEST_PACKAGE_REFUSES", "1");
    try {
        LoadPackage(Package);
        ADD_FAILURE() << "the package loaded";
    } catch (const EPackageError& e) {
        EXPECT_EQ(e.Message(), "Package frame_test_package.dll failed to load: the gadgets refuse");
    }
    SetEnvironmentVariableA("TEST_PACKAGE_REFUSES", nullptr);
    EXPECT_EQ(trace.Take(), (Lines{"Gadgets initialized", "Plain initialized", "Plain finalized", "Gadgets finalized"}));
    EXPECT_EQ(GetModuleHandleA(Package), nullptr);
    EXPECT_EQ(GetClass("TGadget"), nullptr);
    EXPECT_TRUE(PalettePage("Testing").empty());
}

TEST(Packages, WhatIsNoPackageIsRefused) {
    EXPECT_THROW(LoadPackage("no_such_package.dll"), EWin32Error);
    try {
        LoadPackage("frame35.dll");
        FAIL() << "the runtime package loaded as a package";
    } catch (const EPackageError& e) {
        EXPECT_EQ(e.Message(), "frame35.dll is not a package: it exports no Initialize and Finalize");
    }
    EXPECT_NE(GetModuleHandleA("frame35.dll"), nullptr);

    HMODULE package = LoadPackage(Package);
    EXPECT_THROW(LoadPackage(Package), EPackageError);
    UnloadPackage(package);
    EXPECT_EQ(GetModuleHandleA(Package), nullptr);
    EXPECT_THROW(UnloadPackage(package), EPackageError);
}

}  // namespace
