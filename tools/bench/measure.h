// Timing and the medians every section of the benchmark prints.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

namespace bench {

// Milliseconds since an arbitrary start, from the performance counter.
double NowMs();
// How long one call of step takes, in milliseconds.
double TimeMs(const std::function<void()>& step);
// The middle value (the mean of the two middle ones for an even count);
// 0 for none.
double Median(std::vector<double> values);

}  // namespace bench
