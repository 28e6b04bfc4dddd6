// The forms of the programs, each made from its resource by the
// application object as its program makes it, given its window (and its
// controls theirs), and freed. A stand-in main form is made first, so that
// none of them becomes the main form and freeing it ends nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "About.h"
#include "DemoForm.h"
#include "Game.h"
#include "Lumora.h"
#include "Main.h"
#include "framework/design/package.h"
#include "framework/forms/application.h"
#include "soak_run.h"
#include "testing/message_boxes.h"

namespace {

class FormSoak : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Application->Initialize();
        if (!Application->MainForm()) Application->CreateFormOf(TForm::StaticClass());
    }

    // Creations of the form class; its program's global names the form
    // while it lives, as in the program.
    template <class T>
    static void Soak(const std::string& item, T*& global) {
        const int formsBefore = Application->ComponentCount();
        soak::Row row = soak::Soak(item, [&] {
            try {
                Application->CreateForm(global);
                global->HandleNeeded();
                delete global;
                global = nullptr;
                return true;
            } catch (const Exception& error) {
                ADD_FAILURE() << item << ": " << error.Message().c_str();
                return false;
            }
        });
        const int formsLeft = Application->ComponentCount() - formsBefore;
        EXPECT_EQ(formsLeft, 0) << "the application still holds forms it made";
        row.endState = "forms left " + std::to_string(formsLeft);
        soak::Record(row);
        soak::ExpectNoGrowth(row);
    }
};

// Whether the display could take the mode the surface form asks for: then
// making the form would switch it.
bool DisplayCouldTake(DWORD width, DWORD height, DWORD bits) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmBitsPerPel = bits;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    return ChangeDisplaySettingsExA(nullptr, &mode, nullptr, CDS_TEST, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

}  // namespace

TEST_F(FormSoak, MainMenu) { Soak("Main form", MainForm); }

TEST_F(FormSoak, Game) { Soak("Game form", GameForm); }

// The about form of the game, which Tessaly shows on its own (one source).
TEST_F(FormSoak, About) { Soak("About form", AboutForm); }

// The surface demo's form takes the display for DirectDraw while it is
// made. On a display that offers only its own mode the mode stays, and
// the form is made with the display as it is.
TEST_F(FormSoak, SurfaceDemo) {
    if (DisplayCouldTake(800, 600, 8)) {
        soak::RecordSkipped("Surface form", "this display would switch to 800x600x8 for it");
        GTEST_SKIP() << "surface form skipped: making it would switch this display to 800x600x8";
    }
    // A failure to take the display shows a box; answered, and counted.
    suite::testing::MessageBoxAnswerer boxes(GetCurrentProcessId());
    Soak("Surface form", Form1);
    EXPECT_TRUE(boxes.Seen().empty()) << boxes.Seen().front().text;
}

// The package's demo form names the package's classes: the package is
// loaded once, as the demo loads it, and unloaded after the last form.
TEST_F(FormSoak, PackageDemo) {
    HMODULE package = LoadPackage("Corvane.dll");
    ASSERT_NE(package, nullptr);
    Soak("Package demo", DemoForm);
    UnloadPackage(package);
}
