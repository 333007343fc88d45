#pragma once
// What another process holds, as Windows reports it to any program with query rights: memory,
// kernel handles, GDI and USER objects, threads and windows. Where Wine answers nothing (private
// bytes, the handle count), the figure comes from what it does answer: the system's handle list,
// and the Linux process's committed data (VmData).
#include <cstdint>

#include "platform/win32_api.h"

namespace soak {

struct ProcessFigures {
  int64_t private_kib = 0;
  int64_t working_set_kib = 0;
  int64_t handles = 0;
  int64_t gdi_objects = 0;
  int64_t user_objects = 0;
  int64_t windows = 0;  // top-level and child windows: USER objects as the window list shows them
  int64_t threads = 0;
};

// The figures of the process, each the least of a few readings some milliseconds apart, so that
// a registry key held open for the length of one refresh does not count. False when the process
// cannot be queried.
// `linux_pid` is the Linux process that runs it under Wine, 0 elsewhere.
bool ReadSettledFigures(HANDLE process, DWORD process_id, long linux_pid, ProcessFigures& figures);

}  // namespace soak
