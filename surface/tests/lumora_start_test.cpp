// A start of the surface demo that fails: the program built without its
// form resource shows the failure to the user and ends with exit code 1.
#include <gtest/gtest.h>

#include "testing/message_boxes.h"

TEST(LumoraStart, AFailureToStartIsShownAndEndsTheProgramWithOne) {
    auto run = suite::testing::RunAnsweringMessageBoxes("LumoraProject_without_forms.exe", 20000);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, "Resource TFORM1 not found");
    EXPECT_EQ(run.exitCode, 1u);
}
