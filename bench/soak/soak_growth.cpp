#include "bench/soak/soak_growth.h"

#include <cstdio>

namespace soak {

const Figure kFigures[7] = {
    {"private KiB", &ProcessFigures::private_kib},
    {"working set KiB", &ProcessFigures::working_set_kib},
    {"handles", &ProcessFigures::handles},
    {"GDI objects", &ProcessFigures::gdi_objects},
    {"USER objects", &ProcessFigures::user_objects},
    {"windows", &ProcessFigures::windows},
    {"threads", &ProcessFigures::threads},
};

double GrowthPer10000Ticks(const std::vector<Sample>& samples, size_t from,
                           int64_t ProcessFigures::*field) {
  if (from + 1 >= samples.size())
    return 0;
  const Sample& first = samples[from];
  const Sample& last = samples.back();
  if (last.tick <= first.tick)
    return 0;
  return static_cast<double>(last.figures.*field - first.figures.*field) * 10000.0 /
         static_cast<double>(last.tick - first.tick);
}

std::vector<std::string> SlowRoundTrips(const std::vector<Sample>& samples) {
  std::vector<std::string> slow;
  char line[160];
  for (const Sample& sample : samples) {
    if (sample.round_trip_ms < 0) {
      std::snprintf(line, sizeof(line), "tick %lld: the window did not answer", sample.tick);
      slow.push_back(line);
    } else if (sample.round_trip_ms > kRoundTripLimitMs) {
      std::snprintf(line, sizeof(line), "tick %lld: a message round trip took %.1f ms", sample.tick,
                    sample.round_trip_ms);
      slow.push_back(line);
    }
  }
  return slow;
}

std::vector<std::string> Leaks(const std::vector<Sample>& samples, size_t from) {
  std::vector<std::string> faults;
  char line[160];
  if (from + 1 >= samples.size())
    return faults;
  const ProcessFigures& first = samples[from].figures;
  const ProcessFigures& last = samples.back().figures;
  for (const Figure& figure : kFigures) {
    if (figure.field == &ProcessFigures::private_kib ||
        figure.field == &ProcessFigures::working_set_kib)
      continue;
    if (last.*figure.field > first.*figure.field) {
      std::snprintf(line, sizeof(line), "%s grew from %lld to %lld", figure.name,
                    static_cast<long long>(first.*figure.field),
                    static_cast<long long>(last.*figure.field));
      faults.push_back(line);
    }
  }
  const size_t intervals = samples.size() - 1 - from;
  bool grew_every_interval = intervals >= 3;
  for (size_t k = from + 1; k < samples.size(); ++k) {
    grew_every_interval =
        grew_every_interval && samples[k].figures.private_kib > samples[k - 1].figures.private_kib;
  }
  if (grew_every_interval) {
    std::snprintf(line, sizeof(line),
                  "private bytes grew in each of %zu intervals, %lld to %lld KiB", intervals,
                  static_cast<long long>(first.private_kib),
                  static_cast<long long>(last.private_kib));
    faults.push_back(line);
  }
  return faults;
}

}  // namespace soak
