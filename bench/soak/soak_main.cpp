// The launcher left open with this build's seven titles installed and listed while a second
// process changes the registry under it; every so many ticks (50 ms of wall time each) it records
// what the launcher holds, and at the end the growth of each figure per 10,000 ticks.
//
//   launcher_soak.exe [--ticks N] [--sample-every M] [--check]
//
// Defaults: 100,000 ticks (about 83 minutes), a sample every 10,000. With --check the exit code
// says whether the launcher leaked (handles, GDI or USER objects, windows or threads grown after
// the first interval, private bytes grown in every interval) or stopped following the registry;
// round trips slower than 100 ms are reported, never judged, since a busy machine causes them too.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/soak/process_figures.h"
#include "bench/soak/soak_growth.h"
#include "bench/support/clock.h"
#include "bench/support/linux_proc.h"
#include "harness/pack_keys_aside.h"
#include "harness/programs.h"
#include "platform/win32_api.h"
#include "resources/resource.h"
#include "titles/app_list.h"

namespace {

constexpr DWORD kTickMs = 50;

struct Options {
  long long ticks = 100000;
  long long sample_every = 10000;
  bool check = false;
};

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring name = argv[i];
    if (name == L"--check") {
      options.check = true;
    } else if ((name == L"--ticks" || name == L"--sample-every") && i + 1 < argc) {
      const long long value = std::wcstoll(argv[++i], nullptr, 10);
      if (value <= 0)
        return false;
      (name == L"--ticks" ? options.ticks : options.sample_every) = value;
    } else {
      return false;
    }
  }
  return options.sample_every <= options.ticks;
}

using benchclock::NowMs;

// How long the window takes to handle a message sent to it; negative when it does not.
double RoundTripMs(HWND window) {
  const double sent = NowMs();
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, e2e::Patience(), &result)) {
    return -1;
  }
  return NowMs() - sent;
}

void PrintHeader() {
  std::printf("%9s", "tick");
  for (const soak::Figure& figure : soak::kFigures) std::printf("  %15s", figure.name);
  std::printf("  %13s\n", "round trip ms");
}

void PrintSample(const soak::Sample& sample) {
  std::printf("%9lld", sample.tick);
  for (const soak::Figure& figure : soak::kFigures) {
    std::printf("  %15lld", static_cast<long long>(sample.figures.*figure.field));
  }
  std::printf("  %13.2f\n", sample.round_trip_ms);
  std::fflush(stdout);
}

void PrintGrowth(const std::vector<soak::Sample>& samples, size_t from, const char* label) {
  std::printf("%-34s", label);
  for (const soak::Figure& figure : soak::kFigures) {
    std::printf("  %15.1f", soak::GrowthPer10000Ticks(samples, from, figure.field));
  }
  std::printf("\n");
}

// "1" for each enabled button, "0" for each disabled one: the titles, a blank, install, uninstall.
std::string ButtonStates(HWND window) {
  std::string states;
  const exlib::Tu_array<AppBase>* titles = GetAppList();
  for (uint32_t i = 0; i < titles->Count(); ++i) {
    states += IsWindowEnabled(GetDlgItem(window, titles->GetAt(i)->ButtonId)) ? '1' : '0';
  }
  states += ' ';
  states += IsWindowEnabled(GetDlgItem(window, IDC_INSTALL)) ? '1' : '0';
  states += IsWindowEnabled(GetDlgItem(window, IDC_UNINSTALL)) ? '1' : '0';
  return states;
}

std::string StatesOnceSettled(HWND window, const std::string& expected) {
  e2e::Eventually([&] { return ButtonStates(window) == expected; });
  return ButtonStates(window);
}

bool RegisterEveryTitle(const std::u16string& games) {
  const exlib::Tu_array<AppBase>* titles = GetAppList();
  bool registered = true;
  for (uint32_t i = 0; i < titles->Count(); ++i) {
    registered = titles->GetAt(i)->RegisterPackage(exlib::Tu_text::FromWide(games),
                                                   exlib::Tu_text::FromWide(games)) &&
                 registered;
  }
  return registered;
}

// The registry as the soak leaves it: the second, fifth and sixth titles unregistered, the others
// installed and listed; and the button states that must follow.
constexpr uint32_t kFinalRemoved[] = {1, 4, 5};
constexpr char kFinalStates[] = "1011001 11";

bool WriteFinalRegistry() {
  bool written = true;
  for (uint32_t title : kFinalRemoved) {
    written = GetAppList()->GetAt(title)->UnregisterPackage() && written;
  }
  return written;
}

std::u16string QuotedArgument(const std::u16string& text) {
  return u"\"" + text + u"\"";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: launcher_soak [--ticks N] [--sample-every M] [--check]\n");
    return 2;
  }
  testsupport::PackKeysAside registry;
  e2e::ScratchFolder games(u"soak games");
  if (!registry.MovedAside() || !RegisterEveryTitle(games.Path())) {
    std::printf("the titles could not be registered\n");
    return 1;
  }
  e2e::ScratchFolder pack(u"soak");
  if (!pack.CopyIn(u"" PACK_SETUP_EXE, u"setup.exe")) {
    std::printf("setup.exe could not be copied\n");
    return 1;
  }
  const std::u16string launcher_path = pack.File(u"setup.exe");
  std::unique_ptr<e2e::Process> launcher =
      e2e::Process::Start(launcher_path, e2e::TempFolderPath());
  HWND window = nullptr;
  e2e::Eventually(
      [&] {
        const std::vector<HWND> shown =
            launcher ? e2e::WindowsOf(launcher->Id()) : std::vector<HWND>{};
        window = shown.empty() ? nullptr : shown.front();
        return window != nullptr;
      },
      60000);
  if (window == nullptr) {
    std::printf("the launcher window did not show\n");
    return 1;
  }
  const std::string opening = StatesOnceSettled(window, "1111111 01");
  if (opening != "1111111 01") {
    std::printf("with every title installed and listed the buttons show %s\n", opening.c_str());
    return 1;
  }
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, launcher->Id());
  const std::u16string stop_name =
      u"launcher-soak-stop-" +
      std::u16string(FromWin(std::to_wstring(GetCurrentProcessId()).c_str()));
  HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, ToWin(stop_name.c_str()));
  std::unique_ptr<e2e::Process> churn =
      e2e::Process::Start(u"" PACK_SOAK_CHURN_EXE, e2e::TempFolderPath(),
                          QuotedArgument(stop_name) + u" " + QuotedArgument(games.Path()));
  const long linux_pid = linuxproc::LinuxPidOf(launcher_path);
  if (process == nullptr || stop == nullptr || churn == nullptr) {
    std::printf("could not watch the launcher or start the registry changes\n");
    return 1;
  }

  std::printf(
      "launcher soak: %lld ticks of %lu ms, a sample every %lld, registry changed by a "
      "second process\n",
      options.ticks, kTickMs, options.sample_every);
  PrintHeader();
  std::vector<soak::Sample> samples;
  const double started = NowMs();
  for (long long tick = 0;; tick += options.sample_every) {
    tick = std::min(tick, options.ticks);
    const double due = started + static_cast<double>(tick) * kTickMs;
    while (NowMs() < due && launcher->Running())
      Sleep(static_cast<DWORD>(std::min(due - NowMs() + 1, 1000.0)));
    soak::Sample sample;
    sample.tick = tick;
    if (!launcher->Running() ||
        !soak::ReadSettledFigures(process, launcher->Id(), linux_pid, sample.figures)) {
      std::printf("tick %lld: the launcher has ended or cannot be queried\n", tick);
      return 1;
    }
    sample.round_trip_ms = RoundTripMs(window);
    samples.push_back(sample);
    PrintSample(sample);
    if (tick == options.ticks)
      break;
  }

  SetEvent(stop);
  const std::optional<DWORD> churned = churn->WaitForExit();
  CloseHandle(stop);
  CloseHandle(process);
  const bool final_written = WriteFinalRegistry();
  const std::string final_states = StatesOnceSettled(window, kFinalStates);

  std::printf("\ngrowth per 10,000 ticks\n%34s", "");
  for (const soak::Figure& figure : soak::kFigures) std::printf("  %15s", figure.name);
  std::printf("\n");
  PrintGrowth(samples, 0, "from the start");
  PrintGrowth(samples, 1, "after the first interval");
  for (const std::string& slow : soak::SlowRoundTrips(samples))
    std::printf("SLOW: %s\n", slow.c_str());
  std::vector<std::string> faults = soak::Leaks(samples, 1);
  if (!churned || *churned != 0)
    faults.push_back("the registry changes did not end cleanly");
  if (!final_written || final_states != kFinalStates) {
    faults.push_back("at the end the buttons show " + final_states + " for a registry that says " +
                     kFinalStates);
  }
  std::printf("GetGuiResources answers GDI %lld, USER %lld at the last sample%s\n",
              static_cast<long long>(samples.back().figures.gdi_objects),
              static_cast<long long>(samples.back().figures.user_objects),
              samples.back().figures.gdi_objects == 0 ? " (not answered here)" : "");
  for (const std::string& fault : faults) std::printf("FAULT: %s\n", fault.c_str());
  if (faults.empty())
    std::printf("no leak, and the buttons follow the registry\n");
  return options.check && !faults.empty() ? 1 : 0;
}
