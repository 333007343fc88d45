#include "tests/launcher/e2e/demo_pack.h"

#include <algorithm>

#include "demo/title/title_window.h"
#include "tests/launcher/e2e/harness.h"

namespace e2e {
namespace {

std::u16string ImagePath(HANDLE process) {
  char16_t buffer[32768];
  DWORD length = 32768;
  if (!QueryFullProcessImageNameW(process, 0, ToWin(buffer), &length))
    return std::u16string();
  return std::u16string(buffer, length);
}

bool SamePath(const std::u16string& a, const std::u16string& b) {
  return CompareStringOrdinal(ToWin(a.c_str()), -1, ToWin(b.c_str()), -1, TRUE) == CSTR_EQUAL;
}

struct DialogSearch {
  std::u16string program;
  HWND dialog = nullptr;
  HANDLE process = nullptr;
};

BOOL CALLBACK CheckDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  if (!IsWindowVisible(window) || ClassOf(window) != u"#32770")
    return TRUE;
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  if (process == nullptr)
    return TRUE;
  if (SamePath(ImagePath(process), search->program)) {
    search->dialog = window;
    search->process = process;
    return FALSE;
  }
  CloseHandle(process);
  return TRUE;
}

std::u16string Text(HWND window, int control) {
  return TextOf(GetDlgItem(window, control));
}

std::vector<HWND> DemoTitleWindows() {
  std::vector<HWND> windows;
  for (HWND window = FindWindowExW(nullptr, nullptr, ToWin(demotitle::kWindowClass), nullptr);
       window != nullptr;
       window = FindWindowExW(nullptr, window, ToWin(demotitle::kWindowClass), nullptr)) {
    windows.push_back(window);
  }
  return windows;
}

}  // namespace

std::u16string BuiltInstallerPath() {
  return u"" PACK_DEMO_INSTALLER_EXE;
}
std::u16string BuiltUninstallerPath() {
  return u"" PACK_DEMO_UNINSTALLER_EXE;
}
std::u16string BuiltRegistrationToolPath() {
  return u"" PACK_PACKREG_EXE;
}

std::u16string DemoInstallRoot() {
  char16_t folder[MAX_PATH];
  if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, ToWin(folder)) !=
      S_OK) {
    return std::u16string();
  }
  return std::u16string(folder) + u"\\Delvarin Demo Pack";
}

std::optional<ForeignProcess> ForeignProcess::WaitForDialogOf(const std::u16string& program,
                                                              DWORD timeout_ms) {
  DialogSearch search{program};
  if (!Eventually(
          [&] {
            EnumWindows(&CheckDialog, reinterpret_cast<LPARAM>(&search));
            return search.dialog != nullptr;
          },
          timeout_ms)) {
    return std::nullopt;
  }
  return ForeignProcess(search.process, search.dialog);
}

ForeignProcess::ForeignProcess(ForeignProcess&& other) noexcept
    : handle_(other.handle_), dialog_(other.dialog_) {
  other.handle_ = nullptr;
}

ForeignProcess::~ForeignProcess() {
  if (handle_ != nullptr)
    CloseHandle(handle_);
}

std::optional<DWORD> ForeignProcess::WaitForExit(DWORD timeout_ms) const {
  if (WaitForSingleObject(handle_, timeout_ms) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(handle_, &code);
  return code;
}

std::optional<DemoTitleStart> WaitForDemoTitle(DWORD timeout_ms) {
  std::optional<DemoTitleStart> start;
  Eventually(
      [&] {
        for (HWND window : DemoTitleWindows()) {
          // The window exists before its lines do, and they come one after the other.
          const std::u16string program = Text(window, demotitle::kProgramLine);
          const std::u16string folder = Text(window, demotitle::kWorkingDirectoryLine);
          if (!program.empty() && !folder.empty()) {
            start = DemoTitleStart{program, folder, window};
            return true;
          }
        }
        return false;
      },
      timeout_ms);
  return start;
}

void CloseDemoTitles() {
  for (HWND window : DemoTitleWindows()) PostMessageW(window, WM_CLOSE, 0, 0);
  Eventually([] { return DemoTitleWindows().empty(); });
}

bool MutexExists(const char16_t* name) {
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, ToWin(name));
  if (mutex != nullptr) {
    CloseHandle(mutex);
    return true;
  }
  return GetLastError() == ERROR_ACCESS_DENIED;
}

std::optional<ProgramRun> RunToEnd(const std::u16string& program, const std::u16string& arguments,
                                   DWORD timeout_ms) {
  SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inheritable, 0))
    return std::nullopt;
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  std::u16string command_line = u"\"" + program + u"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write_end;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = nullptr;
  PROCESS_INFORMATION started = {};
  const BOOL ok = CreateProcessW(ToWin(program.c_str()), ToWin(&command_line[0]), nullptr, nullptr,
                                 TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started);
  CloseHandle(write_end);
  if (!ok) {
    CloseHandle(read_end);
    return std::nullopt;
  }
  ProgramRun run{0, std::string()};
  char buffer[4096];
  DWORD read = 0;
  // Reads to the end of the output, which comes when the program ends.
  while (ReadFile(read_end, buffer, sizeof(buffer), &read, nullptr) && read > 0)
    run.output.append(buffer, read);
  CloseHandle(read_end);
  const bool ended = WaitForSingleObject(started.hProcess, timeout_ms) == WAIT_OBJECT_0;
  GetExitCodeProcess(started.hProcess, &run.exit_code);
  if (!ended)
    TerminateProcess(started.hProcess, 99);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  if (!ended)
    return std::nullopt;
  return run;
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const char16_t* name,
                                                     const std::u16string& value)
    : name_(name) {
  char16_t buffer[32768];
  const DWORD length = GetEnvironmentVariableW(ToWin(name), ToWin(buffer), 32768);
  if (length > 0 && length < 32768)
    previous_ = std::u16string(buffer, length);
  SetEnvironmentVariableW(ToWin(name), ToWin(value.c_str()));
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
  SetEnvironmentVariableW(ToWin(name_), previous_ ? ToWin(previous_->c_str()) : nullptr);
}

DemoFolderGuard::DemoFolderGuard()
    : before_(CurrentFolders()), root_existed_(FileExists(DemoInstallRoot())) {}

DemoFolderGuard::~DemoFolderGuard() {
  for (const std::u16string& folder : CurrentFolders()) {
    if (!std::binary_search(before_.begin(), before_.end(), folder))
      DeleteFolderTree(DemoInstallRoot() + u"\\" + folder);
  }
  if (!root_existed_)
    RemoveDirectoryW(ToWin(DemoInstallRoot().c_str()));
}

std::vector<std::u16string> DemoFolderGuard::CurrentFolders() {
  std::vector<std::u16string> folders;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(ToWin((DemoInstallRoot() + u"\\*").c_str()), &found);
  if (search == INVALID_HANDLE_VALUE)
    return folders;
  do {
    const std::u16string name = FromWin(found.cFileName);
    if (name != u"." && name != u"..")
      folders.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(folders.begin(), folders.end());
  return folders;
}

}  // namespace e2e
