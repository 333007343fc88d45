#pragma once
// A Wine process seen from Linux: under Wine a Windows program reads /proc through drive Z:, and
// finds there what Wine does not report for other processes (CPU time, memory by kind).
#include <string>

namespace linuxproc {

// The Linux process that runs the Windows program at `path` (Wine names it by that path); 0 when
// there is none.
long LinuxPidOf(const std::u16string& path);

// Time a Linux process's threads have spent on a CPU, in nanoseconds; -1 when it cannot be read.
long long CpuNanoseconds(long pid);

// Kilobytes of a "VmHWM:"-style line of /proc/<pid>/status; -1 when absent.
long long StatusKilobytes(long pid, const char* field);

}  // namespace linuxproc
