#pragma once
// Milliseconds from the performance counter, for intervals within one benchmark process.
#include "platform/win32_api.h"

namespace benchclock {

inline double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace benchclock
