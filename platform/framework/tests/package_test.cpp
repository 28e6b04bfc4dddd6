// What only the runtime package can get wrong: exceptions crossing
// between it and the program in both directions, and its globals being
// one and the same for everybody.
#include <gtest/gtest.h>

#include "framework/framework.h"

namespace {

TEST(Package, AnExceptionRaisedInThePackageIsCaughtInTheProgram) {
    TComponent root(nullptr);
    try {
        ReadFormText(&root, "TComponent R { Nonsense = 1 }", "CROSSING");
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "CROSSING(1): R.Nonsense: TComponent has no property Nonsense");
    }
    EXPECT_THROW(FindClass("TNothing", TComponent::StaticClass()), Exception);
}

struct Thrower : TComponent {
    using TComponent::TComponent;
    void Raise(TObject*) { throw EConvertError("from the program"); }
};

TEST(Package, AnExceptionFromProgramCodeCrossesThePackageBackToTheProgram) {
    // The timer's tick runs in the package and calls the program's handler.
    Thrower thrower(nullptr);
    TTimer timer(nullptr);
    timer.OnTimer = TNotifyEvent(&thrower, &Thrower::Raise);
    EXPECT_THROW(timer.Tick(), EConvertError);
}

TEST(Package, ItsClassesAndGlobalsAreTheProgramsToo) {
    ASSERT_NE(Application, nullptr);
    EXPECT_EQ(GetClass("TImage"), &TImage::StaticClass());
    EXPECT_TRUE(TImage::StaticClass().InheritsFrom(TControl::StaticClass()));
    HMODULE package = GetModuleHandleA("frame35.dll");
    ASSERT_NE(package, nullptr);
    EXPECT_EQ(TImage::StaticClass().Module(), package);
}

}  // namespace
