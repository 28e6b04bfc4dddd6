// A start of the game that fails: the program built without its form
// resources shows the failure to the user and ends with exit code 1.
#include <gtest/gtest.h>

#include "testing/message_boxes.h"

TEST(SkelderStart, AFailureToStartIsShownAndEndsTheProgramWithOne) {
    auto run = suite::testing::RunAnsweringMessageBoxes("skelder_without_forms.exe", 20000);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, "Resource TMAINFORM not found");
    EXPECT_EQ(run.exitCode, 1u);
}
