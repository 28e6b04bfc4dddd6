// The short fuzz run of every CI run: for each target, its seeds and every
// input that once crashed it, then mutations of them, with a fixed seed,
// in child processes of the fuzz program. Any crash, input over 2 s or
// wrong refusal fails the target's case and names the kept input.
#include <gtest/gtest.h>

#include "fuzzing/campaign.h"

namespace {

using namespace suite::fuzzing;

struct ShortRun {
    const char* target;
    uint64_t inputs;
};

class FuzzShortRun : public ::testing::TestWithParam<ShortRun> {};

TEST_P(FuzzShortRun, NoCrashNoHangEveryRefusalClean) {
    CampaignOptions options;
    options.program = "suite_fuzz.exe";
    options.target = GetParam().target;
    options.seed = 20261209;
    options.inputs = GetParam().inputs;
    options.findingsFolder = "fuzz-findings";
    Figures figures = RunCampaign(options);
    std::printf("%s\n%s\n", FiguresHeader().c_str(), FiguresLine(figures).c_str());
    ASSERT_EQ(figures.error, "");
    EXPECT_EQ(figures.inputs, options.inputs);
    EXPECT_EQ(figures.crashes, 0u);
    EXPECT_EQ(figures.hangs, 0u);
    EXPECT_EQ(figures.faults, 0u) << figures.firstFault;
    // The seeds at least are read, or the target tests nothing.
    EXPECT_GT(figures.accepted, 0u);
    for (const Finding& finding : figures.findings)
        ADD_FAILURE() << "input " << finding.index << " kept in " << finding.file;
}

// Sizes chosen to end well within a minute each on x64 Wine.
INSTANTIATE_TEST_SUITE_P(Targets, FuzzShortRun,
                         ::testing::Values(ShortRun{"form-text", 2000}, ShortRun{"component-image", 2000},
                                           ShortRun{"bitmap-file", 2000}, ShortRun{"icon-file", 2000},
                                           ShortRun{"registrar-script", 2000}, ShortRun{"gleaner-stream", 1000},
                                           ShortRun{"gleaner-bag", 1000}, ShortRun{"gleaner-storage", 1000},
                                           ShortRun{"snapview-storage", 1000}, ShortRun{"meterix-stream", 1000},
                                           ShortRun{"meterix-storage", 1000}),
                         [](const auto& info) {
                             std::string name = info.param.target;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

}  // namespace
