// What the launcher costs beside two dialogs of ours with the same template and 50 ms timer, under
// Wine, with this build's seven titles installed and listed: "bare" does nothing per tick, "floor"
// makes only the registry calls one refresh makes, "icon" is the bare dialog setting the launcher's
// icons as the launcher does. Each program runs alone, in rotating order,
// several rounds; per run it records the time from process creation until its window is visible,
// the peak working set once the window has been open for a second, and the CPU time (its own and
// the wineserver's, when the server's Linux pid is given) over the following seconds. Medians.
//
//   launcher_poll_bench.exe [--rounds N] [--seconds S] [--wineserver PID] [--cold]
//
// --cold drops Linux's file cache before each start (root only; through a Unix shell) and
// measures only the start-to-window of the launcher and the bare dialog.
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

#include "bench/support/clock.h"
#include "bench/support/linux_proc.h"
#include "platform/win32_api.h"
#include "harness/pack_keys_aside.h"
#include "harness/programs.h"
#include "titles/app_list.h"

namespace {

struct Options {
  int rounds = 5;
  int seconds = 5;
  long wineserver = 0;
  bool cold = false;
};

Options ParseOptions(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::wstring name = argv[i];
    if (name == L"--cold") {
      options.cold = true;
      continue;
    }
    if (i + 1 >= argc)
      break;
    const long value = std::wcstol(argv[++i], nullptr, 10);
    if (name == L"--rounds")
      options.rounds = std::max(1L, value);
    if (name == L"--seconds")
      options.seconds = std::max(1L, value);
    if (name == L"--wineserver")
      options.wineserver = value;
  }
  return options;
}

// Empties Linux's page cache after writing out dirty pages, so that the next start reads its
// executable and Wine's DLLs from the disk again. Through a Unix shell (Wine starts Unix programs
// too, without a handle to wait on, hence the file it leaves when done): Wine will not open
// /proc/sys/vm/drop_caches itself.
bool DropFileCache() {
  // In Linux's /tmp, which Wine shows as Z:\tmp: no Wine program may run to translate a path.
  const std::string name = "/tmp/pack-file-cache-dropped-" + std::to_string(GetCurrentProcessId());
  const std::u16string done = u"Z:" + std::u16string(name.begin(), name.end());
  DeleteFileW(ToWin(done.c_str()));
  std::u16string command_line =
      u"/bin/sh -c \"sync && echo 3 > /proc/sys/vm/drop_caches && touch " +
      std::u16string(name.begin(), name.end()) + u"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(ToWin(u"Z:\\bin\\sh"), ToWin(&command_line[0]), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &started)) {
    return false;
  }
  if (started.hProcess != nullptr)
    CloseHandle(started.hProcess);
  if (started.hThread != nullptr)
    CloseHandle(started.hThread);
  const bool dropped = e2e::Eventually([&] { return e2e::FileExists(done); }, 60000);
  DeleteFileW(ToWin(done.c_str()));
  return dropped;
}

using benchclock::NowMs;

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
  if (options.cold && !DropFileCache()) {
    std::printf("the file cache cannot be dropped here (root's /proc/sys/vm/drop_caches)\n");
    return false;
  }
  const double created = NowMs();
  std::unique_ptr<e2e::Process> process =
      e2e::Process::Start(variant.program, e2e::TempFolderPath(), variant.arguments);
  if (process == nullptr)
    return false;
  // Finer than e2e::Eventually's period, which would round every start up to 20 ms.
  for (;;) {
    if (!e2e::WindowsOf(process->Id()).empty())
      break;
    if (NowMs() - created > e2e::Patience() || !process->Running())
      return false;
    Sleep(1);
  }
  sample.start_to_window_ms = NowMs() - created;
  const long pid = linuxproc::LinuxPidOf(variant.program);
  if (pid == 0)
    return false;
  if (options.cold) {
    variant.samples.push_back(sample);
    return true;
  }
  Sleep(1000);  // past the start-up
  sample.peak_working_set_kb = static_cast<double>(linuxproc::StatusKilobytes(pid, "VmHWM:"));
  const long long process_before = linuxproc::CpuNanoseconds(pid);
  const long long server_before =
      options.wineserver ? linuxproc::CpuNanoseconds(options.wineserver) : 0;
  const ULONGLONG start = GetTickCount64();
  Sleep(static_cast<DWORD>(options.seconds) * 1000);
  const long long process_after = linuxproc::CpuNanoseconds(pid);
  const long long server_after =
      options.wineserver ? linuxproc::CpuNanoseconds(options.wineserver) : 0;
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
                                   {"bare", dialog, u"bare", {}}};
  if (!options.cold) {
    variants.push_back({"floor", dialog, u"floor", {}});
    variants.push_back({"icon", dialog, u"bare icon", {}});
  }
  for (int round = 0; round < options.rounds; ++round) {
    for (size_t k = 0; k < variants.size(); ++k) {
      Variant& variant = variants[(k + round) % variants.size()];
      if (!Measure(variant, options)) {
        std::printf("round %d: %s could not be measured\n", round + 1, variant.name);
        return 1;
      }
      const Sample& last = variant.samples.back();
      if (options.cold) {
        std::printf("round %d  %-8s  cold start to window %7.1f ms\n", round + 1, variant.name,
                    last.start_to_window_ms);
        std::fflush(stdout);
        continue;
      }
      std::printf(
          "round %d  %-8s  window %7.1f ms  peak %7.0f KiB  process %6.2f ms/s  "
          "wineserver %6.2f ms/s\n",
          round + 1, variant.name, last.start_to_window_ms, last.peak_working_set_kb,
          last.process_ms_per_s, last.wineserver_ms_per_s);
      std::fflush(stdout);
    }
  }

  if (options.cold) {
    const double launcher = MediansOf(variants[0]).start_to_window_ms;
    const double bare = MediansOf(variants[1]).start_to_window_ms;
    std::printf(
        "\nmedians over %d rounds, the file cache dropped before each start\n"
        "  launcher %.1f ms  bare %.1f ms\n"
        "launcher / bare : cold start-to-window %.2f (goal at most 1.10)\n",
        options.rounds, launcher, bare, Ratio(launcher, bare));
    return 0;
  }
  std::printf("\nmedians over %d rounds (idle CPU over %d s, in CPU ms per second of wall time)\n",
              options.rounds, options.seconds);
  std::printf("  %-8s  %16s  %14s  %8s  %10s  %8s\n", "", "start-to-window", "peak working",
              "process", "wineserver", "idle CPU");
  Medians medians[4];
  for (size_t k = 0; k < variants.size(); ++k) {
    const Medians& m = medians[k] = MediansOf(variants[k]);
    std::printf("  %-8s  %13.1f ms  %10.0f KiB  %8.2f  %10.2f  %8.2f\n", variants[k].name,
                m.start_to_window_ms, m.peak_working_set_kb, m.process_ms_per_s,
                m.wineserver_ms_per_s, m.IdleCpu());
  }
  const Medians& launcher = medians[0];
  const Medians& bare = medians[1];
  const Medians& floor = medians[2];
  const Medians& icon = medians[3];
  std::printf("\nlauncher / bare : start-to-window %.2f  peak working set %.2f  idle CPU %.2f\n",
              Ratio(launcher.start_to_window_ms, bare.start_to_window_ms),
              Ratio(launcher.peak_working_set_kb, bare.peak_working_set_kb),
              Ratio(launcher.IdleCpu(), bare.IdleCpu()));
  std::printf("launcher / floor: idle CPU %.2f (process alone %.2f)\n",
              Ratio(launcher.IdleCpu(), floor.IdleCpu()),
              Ratio(launcher.process_ms_per_s, floor.process_ms_per_s));
  std::printf(
      "icon / bare     : start-to-window %.2f  peak working set %.2f (the bare dialog "
      "with the launcher's icons)\n",
      Ratio(icon.start_to_window_ms, bare.start_to_window_ms),
      Ratio(icon.peak_working_set_kb, bare.peak_working_set_kb));
  return 0;
}
