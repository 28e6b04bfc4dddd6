// Gleaner: made over a bitmap on the clipboard, which it grabs into its
// picture; saved through a stream and a storage.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "Gleaner.h"
#include "control_cycle.h"
#include "soak_run.h"
#include "testing/clipboard.h"

namespace {

// Every fetch of a clipboard bitmap keeps about 1 KB of the process's
// memory under Wine, whoever asks (docs/platform.md). Measured here with
// the platform calls a grab makes, after a warm-up as the soak has one.
double PlatformBytesPerBitmapFetch() {
    constexpr int kWarmUp = 100, kFetches = 2000;
    auto fetch = [] {
        IDataObject* data = nullptr;
        if (FAILED(OleGetClipboard(&data))) return;
        FORMATETC format{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
        STGMEDIUM medium{};
        if (SUCCEEDED(data->GetData(&format, &medium))) ReleaseStgMedium(&medium);
        data->Release();
    };
    for (int i = 0; i < kWarmUp; ++i) fetch();
    const uint64_t before = suite::testing::ReadOwnMetrics().privateBytes;
    for (int i = 0; i < kFetches; ++i) fetch();
    const auto kept = static_cast<long long>(suite::testing::ReadOwnMetrics().privateBytes - before);
    return kept > 0 ? static_cast<double>(kept) / kFetches : 0.0;
}

}  // namespace

TEST(ControlSoak, Gleaner) {
    suite::testing::ClipboardScope clipboard;
    ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(16, 8, RGB(255, 0, 0))));
    const double perFetch = PlatformBytesPerBitmapFetch();
    soak::ControlCycle cycle(L"Gleaner.dll", CLSID_Gleaner, true);
    soak::Row row = soak::Soak("Gleaner", [&] { return cycle(); });
    row.endState = cycle.CheckEnd();
    // Each instance grabs once as it is made: the control and the two
    // loaded from its stream and storage.
    constexpr int kGrabsPerCycle = 3;
    row.platformShare = static_cast<long long>(perFetch * kGrabsPerCycle * row.measuredCycles);
    char share[96];
    std::snprintf(share, sizeof share, "; platform's clipboard share %lld (%.0f a fetch)", row.platformShare,
                  perFetch);
    row.endState += share;
    soak::Record(row);
    soak::ExpectNoGrowth(row);
}
