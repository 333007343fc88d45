#pragma once
// The demo pack's real installer, uninstaller and titles, for the end-to-end tests and the demo
// tour: where the installer puts titles, the windows and processes of programs that the launcher
// starts (whose process ids the test never sees), and packreg.exe's report.
#include <optional>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace e2e {

// The installer's wizard button that goes on (and installs on the components page).
constexpr int kWizardNext = 1;

// The built demo programs of the default edition.
std::u16string BuiltInstallerPath();
std::u16string BuiltUninstallerPath();
std::u16string BuiltRegistrationToolPath();

// Where inst.exe creates the titles' folders: one per title, named by its id.
std::u16string DemoInstallRoot();

// A process that this test did not start, found by its executable's full path; waited on and
// never ended by this object.
class ForeignProcess {
 public:
  // The first visible dialog of a process running `program`, waiting up to `timeout_ms`.
  static std::optional<ForeignProcess> WaitForDialogOf(const std::u16string& program,
                                                       DWORD timeout_ms);
  ForeignProcess(ForeignProcess&& other) noexcept;
  ForeignProcess(const ForeignProcess&) = delete;
  ForeignProcess& operator=(const ForeignProcess&) = delete;
  ~ForeignProcess();

  HWND Dialog() const { return dialog_; }
  // The exit code, or nothing when it still runs after `timeout_ms`.
  std::optional<DWORD> WaitForExit(DWORD timeout_ms) const;

 private:
  ForeignProcess(HANDLE handle, HWND dialog) : handle_(handle), dialog_(dialog) {}
  HANDLE handle_;
  HWND dialog_;
};

// What the demo title's window says: the program that was started, in which working directory.
struct DemoTitleStart {
  std::u16string program;
  std::u16string working_directory;
  HWND window;
};
std::optional<DemoTitleStart> WaitForDemoTitle(DWORD timeout_ms);
// Closes every demo title window and waits for them to go.
void CloseDemoTitles();

// Whether a process holds the named mutex (or at least keeps it alive).
bool MutexExists(const char16_t* name);

// Runs a console program to its end; its exit code and what it wrote to stdout.
struct ProgramRun {
  DWORD exit_code;
  std::string output;
};
std::optional<ProgramRun> RunToEnd(const std::u16string& program, const std::u16string& arguments,
                                   DWORD timeout_ms);

// Sets an environment variable of this process (which the programs it starts inherit) while the
// object lives.
class ScopedEnvironmentVariable {
 public:
  ScopedEnvironmentVariable(const char16_t* name, const std::u16string& value);
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;
  ~ScopedEnvironmentVariable();

 private:
  const char16_t* name_;
  std::optional<std::u16string> previous_;
};

// Removes, on destruction, the title folders below the demo install root that were not there
// when it was made.
class DemoFolderGuard {
 public:
  DemoFolderGuard();
  DemoFolderGuard(const DemoFolderGuard&) = delete;
  DemoFolderGuard& operator=(const DemoFolderGuard&) = delete;
  ~DemoFolderGuard();

  // The folders below the root now, sorted.
  static std::vector<std::u16string> CurrentFolders();
  const std::vector<std::u16string>& FoldersBefore() const { return before_; }

 private:
  std::vector<std::u16string> before_;
  bool root_existed_;
};

}  // namespace e2e
