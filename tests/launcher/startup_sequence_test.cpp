#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "contract/pack_contract.h"
#include "launcher/shell_open.h"
#include "launcher/startup_sequence.h"
#include "platform/win32_api.h"

namespace {

enum class Mutex { kAbsent, kExists, kAccessDenied, kWrongObjectType };

struct ProcessEnded {
  UINT exit_code;
};

// The platform as the launcher sees it at start-up: which mutexes exist, and a log of every call.
// Ending the process throws, so that the sequence stops there as it would on Windows and the
// holders' clean-up on the way out can be checked.
class FakePlatform : public StartupPlatform {
 public:
  std::map<std::u16string, Mutex> mutexes;
  bool create_fails = false;
  bool window_throws = false;
  std::function<void()> while_window_runs;
  std::vector<std::string> log;

  MutexOpenResult OpenNamedMutex(const char16_t* name) override {
    log.push_back("open " + Short(name));
    switch (mutexes[name]) {
      case Mutex::kExists:
        return {NewHandle(name), ERROR_SUCCESS};
      case Mutex::kAccessDenied:
        return {nullptr, ERROR_ACCESS_DENIED};
      case Mutex::kWrongObjectType:
        return {nullptr, ERROR_INVALID_HANDLE};
      case Mutex::kAbsent:
        break;
    }
    return {nullptr, ERROR_FILE_NOT_FOUND};
  }
  HANDLE CreateNamedMutex(const char16_t* name) override {
    log.push_back("create " + Short(name));
    return create_fails ? nullptr : NewHandle(name);
  }
  void WaitForOwnership(HANDLE mutex) override { log.push_back("wait " + NameOf(mutex)); }
  void ReleaseOwnership(HANDLE mutex) override { log.push_back("release " + NameOf(mutex)); }
  void CloseMutex(HANDLE mutex) override {
    log.push_back("close " + NameOf(mutex));
    open_.erase(mutex);
  }
  void ShowRelatedProgramMessage() override { log.push_back("message"); }
  void EndProcess(UINT exit_code) override {
    log.push_back("exit " + std::to_string(exit_code));
    throw ProcessEnded{exit_code};
  }
  void PrepareCommonControls() override { log.push_back("controls"); }
  void RunLauncherWindow() override {
    log.push_back("window");
    if (while_window_runs)
      while_window_runs();
    if (window_throws)
      throw std::runtime_error("window failed");
  }

  // The calls up to the end of the process, or all of them when it was not ended.
  std::vector<std::string> LogUntilExit() const {
    std::vector<std::string> until;
    for (const std::string& entry : log) {
      until.push_back(entry);
      if (entry.rfind("exit ", 0) == 0)
        break;
    }
    return until;
  }
  bool AllHandlesClosed() const { return open_.empty(); }

 private:
  static std::string Short(const std::u16string& name) {
    const std::u16string last = name.substr(name.rfind(u'.') + 1);
    return std::string(last.begin(), last.end());
  }
  HANDLE NewHandle(const char16_t* name) {
    HANDLE handle = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x100 + names_.size()));
    names_[handle] = Short(name);
    open_.insert(handle);
    return handle;
  }
  std::string NameOf(HANDLE handle) const {
    auto found = names_.find(handle);
    return found == names_.end() ? "unknown handle" : found->second;
  }

  std::map<HANDLE, std::string> names_;
  std::set<HANDLE> open_;
};

using Log = std::vector<std::string>;

const Log kNormalRun = {"open setup", "open inst", "open uninst",   "create setup", "wait setup",
                        "controls",   "window",    "release setup", "close setup"};

struct Row {
  const char* situation;
  Mutex launcher;
  Mutex installer;
  Mutex uninstaller;
  Log expected;
  bool ends_process;
};

const Row kRows[] = {
    {"nothing else runs", Mutex::kAbsent, Mutex::kAbsent, Mutex::kAbsent, kNormalRun, false},
    {"a launcher runs",
     Mutex::kExists,
     Mutex::kAbsent,
     Mutex::kAbsent,
     {"open setup", "exit 0"},
     true},
    {"a launcher runs and the installer too",
     Mutex::kExists,
     Mutex::kExists,
     Mutex::kAbsent,
     {"open setup", "exit 0"},
     true},
    {"the installer runs",
     Mutex::kAbsent,
     Mutex::kExists,
     Mutex::kAbsent,
     {"open setup", "open inst", "message", "exit 0"},
     true},
    {"the uninstaller runs",
     Mutex::kAbsent,
     Mutex::kAbsent,
     Mutex::kExists,
     {"open setup", "open inst", "open uninst", "message", "exit 0"},
     true},
    {"both run: one message",
     Mutex::kAbsent,
     Mutex::kExists,
     Mutex::kExists,
     {"open setup", "open inst", "message", "exit 0"},
     true},
    // A mutex made by an elevated program refuses full access to a launcher without elevation.
    {"an elevated launcher runs",
     Mutex::kAccessDenied,
     Mutex::kAbsent,
     Mutex::kAbsent,
     {"open setup", "exit 0"},
     true},
    {"the elevated installer runs",
     Mutex::kAbsent,
     Mutex::kAccessDenied,
     Mutex::kAbsent,
     {"open setup", "open inst", "message", "exit 0"},
     true},
    {"the elevated uninstaller runs",
     Mutex::kAbsent,
     Mutex::kAbsent,
     Mutex::kAccessDenied,
     {"open setup", "open inst", "open uninst", "message", "exit 0"},
     true},
    // Any other failure to open counts as not running.
    {"names taken by other kinds of object", Mutex::kWrongObjectType, Mutex::kWrongObjectType,
     Mutex::kWrongObjectType, kNormalRun, false},
};

TEST(StartupSequence, EveryWayOutOfTheGuards) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.situation);
    FakePlatform platform;
    platform.mutexes[kLauncherMutexName] = row.launcher;
    platform.mutexes[kInstallerMutexName] = row.installer;
    platform.mutexes[kUninstallerMutexName] = row.uninstaller;
    bool ended = false;
    try {
      RunStartupSequence(platform);
    } catch (const ProcessEnded& end) {
      ended = true;
      EXPECT_EQ(end.exit_code, 0u);
    }
    EXPECT_EQ(ended, row.ends_process);
    EXPECT_EQ(platform.LogUntilExit(), row.expected);
    EXPECT_TRUE(platform.AllHandlesClosed());
  }
}

TEST(StartupSequence, WithoutItsOwnMutexTheLauncherRunsUnguarded) {
  FakePlatform platform;
  platform.create_fails = true;
  RunStartupSequence(platform);
  EXPECT_EQ(platform.log,
            (Log{"open setup", "open inst", "open uninst", "create setup", "controls", "window"}));
}

TEST(StartupSequence, AFailingWindowStillReleasesAndClosesTheOwnMutex) {
  FakePlatform platform;
  platform.window_throws = true;
  EXPECT_THROW(RunStartupSequence(platform), std::runtime_error);
  EXPECT_EQ(platform.log, kNormalRun);
  EXPECT_TRUE(platform.AllHandlesClosed());
}

// The shell needs COM on the thread for handlers that go through it: the window runs with COM
// initialised apartment-threaded (a nested initialisation answers S_FALSE), and COM ends with it.
TEST(StartupSequence, TheWindowRunsInAComApartment) {
  FakePlatform platform;
  HRESULT inside = E_FAIL;
  platform.while_window_runs = [&inside] {
    inside = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(inside))
      CoUninitialize();
#ifndef _WIN32
    hostwin::ResetShell();
    ShellOpenTarget(u"https://www.example.com/");
    ASSERT_EQ(hostwin::ShellExecuteCalls().size(), 1u);
    EXPECT_TRUE(hostwin::ShellExecuteCalls()[0].com_apartment);
#endif
  };
  RunStartupSequence(platform);
  EXPECT_EQ(inside, S_FALSE);

  const HRESULT after = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(after, S_OK) << "COM ended with the window";
  if (SUCCEEDED(after))
    CoUninitialize();
}

TEST(MutexHolder, ReleasesOnceAndHoldsNothingAfterwards) {
  FakePlatform platform;
  HANDLE own = platform.CreateNamedMutex(kLauncherMutexName);
  platform.log.clear();
  {
    MutexHolder holder(platform, own);
    holder.Release();
    EXPECT_EQ(holder.Get(), nullptr);
    holder.Release();
  }
  EXPECT_EQ(platform.log, (Log{"release setup", "close setup"}));
}

}  // namespace
