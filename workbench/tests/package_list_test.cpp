// Installing a package, its palette, removing it (with the components of
// its classes on the form) and installing it again; the settings file.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "model/design_document.h"
#include "model/package_list.h"
#include "model/palette_model.h"

namespace {

AnsiString TempFile(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return AnsiString(folder) + name;
}

AnsiString ReadFile(const AnsiString& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

const TPaletteTab* FindTab(const std::vector<TPaletteTab>& tabs, const char* page) {
    for (const TPaletteTab& tab : tabs)
        if (tab.Page == page) return &tab;
    return nullptr;
}

TEST(PackageList, InstallsRemovesAndInstallsAgainRememberingEachTime) {
    AnsiString settings = TempFile("workbench_test.packages");
    DeleteFileA(settings.c_str());
    TDesignDocument document;
    {
        TPackageList packages(settings);
        std::vector<HMODULE> unloaded;
        packages.BeforeUnload = [&](HMODULE module) {
            unloaded.push_back(module);
            document.RemoveComponentsOf(module);
        };
        const TInstalledPackage& installed = packages.Install("Corvane.dll");
        EXPECT_EQ(installed.Description, "Corvane Components");
        AnsiString path = installed.Path;
        EXPECT_EQ(ReadFile(settings), path + "\n");
        EXPECT_THROW(packages.Install(path), EPackageError);
        EXPECT_EQ(packages.Packages().size(), 1u);

        std::vector<TPaletteTab> palette = BuildPalette();
        const TPaletteTab* corvan = FindTab(palette, "Corvan");
        ASSERT_NE(corvan, nullptr);
        EXPECT_EQ(corvan->Buttons.size(), 16u);
        std::vector<AnsiString> pictured;
        for (const TPaletteButton& b : corvan->Buttons)
            if (b.HasBitmap) pictured.push_back(b.Hint);
        EXPECT_EQ(pictured, (std::vector<AnsiString>{"TMyClock2", "TColorClock2", "TBigEdit", "TRadio2Panel", "TMyClock",
                                                     "TColorClock"}));

        document.Place(FindClass("TColorClock2", TComponent::StaticClass()), 8, 8);
        document.Place(TButton::StaticClass(), 8, 100);
        HMODULE module = packages.Packages()[0].Module;
        packages.Remove(0);
        EXPECT_EQ(unloaded, std::vector<HMODULE>{module});
        EXPECT_EQ(document.Form()->FindComponent("ColorClock21"), nullptr) << "its components went first";
        EXPECT_NE(document.Form()->FindComponent("Button1"), nullptr);
        EXPECT_FALSE(document.CanUndo()) << "undo could bring back a class that is gone";
        EXPECT_EQ(FindTab(BuildPalette(), "Corvan"), nullptr);
        EXPECT_EQ(GetClass("TMyClock"), nullptr);
        EXPECT_EQ(ReadFile(settings), "");

        EXPECT_THROW(packages.Install("no_such_package.dll"), Exception);
        EXPECT_EQ(ReadFile(settings), "");
        packages.Install(path);
        palette = BuildPalette();
        ASSERT_NE(FindTab(palette, "Corvan"), nullptr);
        EXPECT_EQ(FindTab(palette, "Corvan")->Buttons.size(), 16u);
    }  // unloaded, remembered
    EXPECT_EQ(FindTab(BuildPalette(), "Corvan"), nullptr);

    TPackageList next(settings);
    EXPECT_TRUE(next.InstallRemembered().empty());
    ASSERT_EQ(next.Packages().size(), 1u);
    EXPECT_EQ(next.Packages()[0].Description, "Corvane Components");
    EXPECT_NE(GetClass("TMyClock"), nullptr);
}

TEST(PackageList, TheProgressBarsPackagePutsItsProxyOnEmbedded) {
    AnsiString settings = TempFile("workbench_meterix_test.packages");
    DeleteFileA(settings.c_str());
    TPackageList packages(settings);
    EXPECT_EQ(packages.Install("MeterixPackage.dll").Description, "Meterix progress bar control proxy");
    std::vector<TPaletteTab> palette = BuildPalette();
    const TPaletteTab* embedded = FindTab(palette, "Embedded");
    ASSERT_NE(embedded, nullptr);
    ASSERT_EQ(embedded->Buttons.size(), 1u);
    EXPECT_EQ(embedded->Buttons[0].Hint, "TProgressBarXProxy");
    packages.Remove(0);
    EXPECT_EQ(FindTab(BuildPalette(), "Embedded"), nullptr);
    DeleteFileA(settings.c_str());
}

TEST(Palette, TheStandardPageHoldsTheFrameworksControlsWithTheDefaultPicture) {
    RegisterStandardPage();
    std::vector<TPaletteTab> palette = BuildPalette();
    const TPaletteTab* standard = FindTab(palette, "Standard");
    ASSERT_NE(standard, nullptr);
    std::vector<AnsiString> hints;
    for (const TPaletteButton& b : standard->Buttons) {
        hints.push_back(b.Hint);
        EXPECT_FALSE(b.HasBitmap) << b.Hint;
    }
    EXPECT_EQ(hints.front(), "TLabel");
    EXPECT_NE(std::find(hints.begin(), hints.end(), "TButton"), hints.end());
    EXPECT_NE(std::find(hints.begin(), hints.end(), "TTimer"), hints.end());
    UnRegisterPalettePage("Standard");
}

}  // namespace
