// What the launcher costs beside two dialogs of ours with the same template and 50 ms timer, under
// Wine, with this build's seven titles installed and listed: "bare" does nothing per tick, "floor"
// makes only the registry calls one refresh makes. Each program runs alone, in rotating order,
// several rounds; per run it records the time from process creation until its window is visible,
// the peak working set once the window has been open for a second, and the CPU time (its own and
// the wineserver's, when the server's Linux pid is given) over the following seconds. Medians.
//
//   launcher_poll_bench.exe [--rounds N] [--seconds S] [--wineserver PID]
//
// Memory and CPU come from Linux's /proc (through Wine's Z: drive), summed over each process's
// threads: Wine reports no CPU time for other processes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "harness/pack_keys_aside.h"
#include "harness/programs.h"
#include "titles/app_list.h"

namespace {

struct Options {
  int rounds = 5;
  int seconds = 5;
  long wineserver = 0;
};

Options ParseOptions(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring name = argv[i];
    const long value = std::wcstol(argv[i + 1], nullptr, 10);
    if (name == L"--rounds")
      options.rounds = std::max(1L, value);
    if (name == L"--seconds")
      options.seconds = std::max(1L, value);
    if (name == L"--wineserver")
      options.wineserver = value;
  }
  return options;
}

std::string ReadWhole(const std::u16string& path) {
  HANDLE file = CreateFileW(ToWin(path.c_str()), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    text.append(buffer, read);
  }
  CloseHandle(file);
  return text;
}

std::u16string ProcPath(long pid, const char16_t* entry) {
  const std::wstring number = std::to_wstring(pid);
  return u"Z:\\proc\\" + std::u16string(FromWin(number.c_str())) + u"\\" + entry;
}

// Time a Linux process's threads have spent on a CPU, in nanoseconds; -1 when it cannot be read.
long long CpuNanoseconds(long pid) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(ToWin((ProcPath(pid, u"task") + u"\\*").c_str()), &found);
  if (search == INVALID_HANDLE_VALUE)
    return -1;
  long long total = 0;
  do {
    const long thread = std::wcstol(found.cFileName, nullptr, 10);
    if (thread <= 0)
      continue;
    const std::wstring number = std::to_wstring(thread);
    const std::string schedstat = ReadWhole(
        ProcPath(pid, u"task\\") + std::u16string(FromWin(number.c_str())) + u"\\schedstat");
    total += std::strtoll(schedstat.c_str(), nullptr, 10);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return total;
}

std::string Utf8(const std::u16string& text) {
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, ToWin(text.c_str()), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, ToWin(text.c_str()), -1, &bytes[0], size, nullptr, nullptr);
  bytes.resize(static_cast<size_t>(size > 0 ? size - 1 : 0));
  return bytes;
}

// The Linux process that runs the program at `path`: Wine names it by the program's Windows path.
long LinuxPidOf(const std::u16string& path) {
  const std::string wanted = Utf8(path);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(ToWin(u"Z:\\proc\\*"), &found);
  if (search == INVALID_HANDLE_VALUE)
    return 0;
  long pid = 0;
  do {
    const long candidate = std::wcstol(found.cFileName, nullptr, 10);
    if (candidate <= 0)
      continue;
    const std::string command = ReadWhole(ProcPath(candidate, u"cmdline"));
    if (command.c_str() == wanted)
      pid = candidate;
  } while (pid == 0 && FindNextFileW(search, &found));
  FindClose(search);
  return pid;
}

// Kilobytes of a "VmHWM:"-style line of /proc/<pid>/status; -1 when absent.
long long StatusKilobytes(long pid, const char* field) {
  const std::string status = ReadWhole(ProcPath(pid, u"status"));
  const size_t at = status.find(field);
  if (at == std::string::npos)
    return -1;
  return std::strtoll(status.c_str() + at + std::strlen(field), nullptr, 10);
}

double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return now.QuadPart * 1000.0 / frequency.QuadPart;
}

struct Sample {
  double start_to_window_ms;
  double peak_working_set_kb;
  double process_ms_per_s;
  double wineserver_ms_per_s;
};

struct Variant {
  const char* name;
  std::u16string program;
  std::u16string arguments;
  std::vector<Sample> samples;
};

bool Measure(Variant& variant, const Options& options) {
  Sample sample = {};
  const double created = NowMs();
  std::unique_ptr<e2e::Process> process =
      e2e::Process::Start(variant.program, e2e::TempFolderPath(), variant.arguments);
  if (process == nullptr)
    return false;
  // Finer than e2e::Eventually's period, which would round every start up to 20 ms.
  for (;;) {
    if (!e2e::WindowsOf(process->Id()).empty())
      break;
    if (NowMs() - created > e2e::kPatience || !process->Running())
      return false;
    Sleep(1);
  }
  sample.start_to_window_ms = NowMs() - created;
  const long pid = LinuxPidOf(variant.program);
  if (pid == 0)
    return false;
  Sleep(1000);  // past the start-up
  sample.peak_working_set_kb = static_cast<double>(StatusKilobytes(pid, "VmHWM:"));
  const long long process_before = CpuNanoseconds(pid);
  const long long server_before = options.wineserver ? CpuNanoseconds(options.wineserver) : 0;
  const ULONGLONG start = GetTickCount64();
  Sleep(static_cast<DWORD>(options.seconds) * 1000);
  const long long process_after = CpuNanoseconds(pid);
  const long long server_after = options.wineserver ? CpuNanoseconds(options.wineserver) : 0;
  const double seconds = (GetTickCount64() - start) / 1000.0;
  if (process_before < 0 || process_after < 0 || sample.peak_working_set_kb < 0)
    return false;
  sample.process_ms_per_s = (process_after - process_before) / 1e6 / seconds;
  sample.wineserver_ms_per_s = (server_after - server_before) / 1e6 / seconds;
  variant.samples.push_back(sample);
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Medians {
  double start_to_window_ms;
  double peak_working_set_kb;
  double process_ms_per_s;
  double wineserver_ms_per_s;
  double IdleCpu() const { return process_ms_per_s + wineserver_ms_per_s; }
};

Medians MediansOf(const Variant& variant) {
  const auto median = [&](double Sample::*field) {
    std::vector<double> values;
    for (const Sample& sample : variant.samples) values.push_back(sample.*field);
    return Median(values);
  };
  return {median(&Sample::start_to_window_ms), median(&Sample::peak_working_set_kb),
          median(&Sample::process_ms_per_s), median(&Sample::wineserver_ms_per_s)};
}

double Ratio(double a, double b) {
  return b > 0 ? a / b : 0.0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const Options options = ParseOptions(argc, argv);
  // This build's titles registered as the installer registers them, for the run only.
  testsupport::PackKeysAside registry;
  if (!registry.MovedAside()) {
    std::printf("the pack's registry keys could not be moved aside\n");
    return 1;
  }
  e2e::ScratchFolder games(u"poll bench games");
  const exlib::Tu_array<AppBase>* titles = GetAppList();
  for (uint32_t i = 0; i < titles->Count(); ++i) {
    if (!titles->GetAt(i)->RegisterPackage(exlib::Tu_text::FromWide(games.Path()),
                                           exlib::Tu_text::FromWide(games.Path()))) {
      std::printf("a title could not be registered\n");
      return 1;
    }
  }

  e2e::ScratchFolder pack(u"poll bench");
  if (!pack.CopyIn(u"" PACK_SETUP_EXE, u"setup.exe")) {
    std::printf("setup.exe could not be copied\n");
    return 1;
  }
  const std::u16string dialog = u"" PACK_POLL_DIALOG_EXE;
  std::vector<Variant> variants = {{"launcher", pack.File(u"setup.exe"), u"", {}},
                                   {"bare", dialog, u"bare", {}},
                                   {"floor", dialog, u"floor", {}}};
  for (int round = 0; round < options.rounds; ++round) {
    for (size_t k = 0; k < variants.size(); ++k) {
      Variant& variant = variants[(k + round) % variants.size()];
      if (!Measure(variant, options)) {
        std::printf("round %d: %s could not be measured\n", round + 1, variant.name);
        return 1;
      }
      const Sample& last = variant.samples.back();
      std::printf(
          "round %d  %-8s  window %7.1f ms  peak %7.0f KiB  process %6.2f ms/s  "
          "wineserver %6.2f ms/s\n",
          round + 1, variant.name, last.start_to_window_ms, last.peak_working_set_kb,
          last.process_ms_per_s, last.wineserver_ms_per_s);
      std::fflush(stdout);
    }
  }

  std::printf("\nmedians over %d rounds (idle CPU over %d s, in CPU ms per second of wall time)\n",
              options.rounds, options.seconds);
  std::printf("  %-8s  %16s  %14s  %8s  %10s  %8s\n", "", "start-to-window", "peak working",
              "process", "wineserver", "idle CPU");
  Medians medians[3];
  for (size_t k = 0; k < variants.size(); ++k) {
    const Medians& m = medians[k] = MediansOf(variants[k]);
    std::printf("  %-8s  %13.1f ms  %10.0f KiB  %8.2f  %10.2f  %8.2f\n", variants[k].name,
                m.start_to_window_ms, m.peak_working_set_kb, m.process_ms_per_s,
                m.wineserver_ms_per_s, m.IdleCpu());
  }
  const Medians& launcher = medians[0];
  const Medians& bare = medians[1];
  const Medians& floor = medians[2];
  std::printf("\nlauncher / bare : start-to-window %.2f  peak working set %.2f  idle CPU %.2f\n",
              Ratio(launcher.start_to_window_ms, bare.start_to_window_ms),
              Ratio(launcher.peak_working_set_kb, bare.peak_working_set_kb),
              Ratio(launcher.IdleCpu(), bare.IdleCpu()));
  std::printf("launcher / floor: idle CPU %.2f (process alone %.2f)\n",
              Ratio(launcher.IdleCpu(), floor.IdleCpu()),
              Ratio(launcher.process_ms_per_s, floor.process_ms_per_s));
  return 0;
}
