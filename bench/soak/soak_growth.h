#pragma once
// The soak's samples, the growth of each figure per 10,000 ticks, and what counts as a leak.
#include <string>
#include <vector>

#include "bench/soak/process_figures.h"

namespace soak {

constexpr double kRoundTripLimitMs = 100;

struct Sample {
  long long tick = 0;
  ProcessFigures figures;
  double round_trip_ms = -1;  // negative: the window did not answer at all
};

struct Figure {
  const char* name;
  int64_t ProcessFigures::*field;
};

// In the order the report prints them.
extern const Figure kFigures[7];

// Growth of the figure per 10,000 ticks, from the sample `from` to the last one.
double GrowthPer10000Ticks(const std::vector<Sample>& samples, size_t from,
                           int64_t ProcessFigures::*field);

// The leaks, one line each, judged from the sample `from` on (the first samples include the
// start-up's own allocations): any growth of kernel handles, GDI or USER objects, windows or
// threads; private bytes that grew in every interval of three or more.
std::vector<std::string> Leaks(const std::vector<Sample>& samples, size_t from);

// The samples at which the window answered slower than the limit, or not at all. On a machine
// shared with other work this says as much about the machine as about the launcher, so it is
// reported apart from the leaks.
std::vector<std::string> SlowRoundTrips(const std::vector<Sample>& samples);

}  // namespace soak
