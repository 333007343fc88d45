#include "bench/soak/process_figures.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "bench/support/linux_proc.h"

namespace soak {
namespace {

constexpr int kReadings = 3;
constexpr DWORD kBetweenReadingsMs = 17;  // not a divisor of the launcher's 50 ms tick

int64_t ThreadsOf(DWORD process_id) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return -1;
  int64_t count = 0;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == process_id)
      ++count;
  }
  CloseHandle(snapshot);
  return count;
}

// The system's list of every process's handles (SystemExtendedHandleInformation), as ntdll
// gives it; Windows and Wine both answer it, where Wine answers no handle count for another
// process.
struct HandleEntry {
  void* object;
  ULONG_PTR process_id;
  ULONG_PTR handle;
  ULONG granted_access;
  USHORT creator_back_trace_index;
  USHORT object_type_index;
  ULONG attributes;
  ULONG reserved;
};

struct HandleList {
  ULONG_PTR count;
  ULONG_PTR reserved;
  HandleEntry entries[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
constexpr ULONG kExtendedHandleInformation = 64;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

int64_t HandlesInSystemList(DWORD process_id) {
  const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(ToWin(u"ntdll.dll")), "NtQuerySystemInformation")));
  if (query == nullptr)
    return -1;
  std::vector<unsigned char> buffer(1 << 16);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(kExtendedHandleInformation, buffer.data(),
                              static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch && buffer.size() < (64u << 20)) {
      buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 4096));
      continue;
    }
    if (status != 0)
      return -1;
    break;
  }
  const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
  int64_t count = 0;
  for (ULONG_PTR k = 0; k < list->count; ++k) {
    if (list->entries[k].process_id == process_id)
      ++count;
  }
  return count;
}

struct WindowCount {
  DWORD process_id;
  int64_t count;
};

BOOL CALLBACK CountChild(HWND, LPARAM context) {
  ++reinterpret_cast<WindowCount*>(context)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context) {
  auto* windows = reinterpret_cast<WindowCount*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == windows->process_id) {
    ++windows->count;
    EnumChildWindows(window, &CountChild, context);
  }
  return TRUE;
}

int64_t WindowsOf(DWORD process_id) {
  WindowCount windows{process_id, 0};
  EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  return windows.count;
}

bool ReadFigures(HANDLE process, DWORD process_id, long linux_pid, ProcessFigures& figures) {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof(memory);
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                            sizeof(memory))) {
    return false;
  }
  DWORD handles = 0;
  if (!GetProcessHandleCount(process, &handles))
    return false;
  figures.private_kib = static_cast<int64_t>(memory.PrivateUsage / 1024);
  if (figures.private_kib == 0 && linux_pid != 0)
    figures.private_kib = linuxproc::StatusKilobytes(linux_pid, "VmData:");
  figures.working_set_kib = static_cast<int64_t>(memory.WorkingSetSize / 1024);
  figures.handles = handles != 0 ? handles : HandlesInSystemList(process_id);
  figures.gdi_objects = GetGuiResources(process, GR_GDIOBJECTS);
  figures.user_objects = GetGuiResources(process, GR_USEROBJECTS);
  figures.windows = WindowsOf(process_id);
  figures.threads = ThreadsOf(process_id);
  return figures.threads >= 0 && figures.handles >= 0 && figures.private_kib >= 0;
}

}  // namespace

bool ReadSettledFigures(HANDLE process, DWORD process_id, long linux_pid, ProcessFigures& figures) {
  if (!ReadFigures(process, process_id, linux_pid, figures))
    return false;
  for (int reading = 1; reading < kReadings; ++reading) {
    Sleep(kBetweenReadingsMs);
    ProcessFigures next;
    if (!ReadFigures(process, process_id, linux_pid, next))
      return false;
    for (int64_t ProcessFigures::*field :
         {&ProcessFigures::private_kib, &ProcessFigures::working_set_kib, &ProcessFigures::handles,
          &ProcessFigures::gdi_objects, &ProcessFigures::user_objects, &ProcessFigures::windows,
          &ProcessFigures::threads}) {
      figures.*field = std::min(figures.*field, next.*field);
    }
  }
  return true;
}

}  // namespace soak
