#include "harness/programs.h"

#include <cstdlib>
#include <string>

namespace e2e {

DWORD Stretched(DWORD ms) {
  static const DWORD scale = [] {
    char text[16] = {};
    const DWORD length = GetEnvironmentVariableA("PACK_TEST_PATIENCE_SCALE", text, sizeof text);
    const long value = length > 0 && length < sizeof text ? std::strtol(text, nullptr, 10) : 1;
    return value > 1 ? static_cast<DWORD>(value) : DWORD{1};
  }();
  return ms * scale;
}

std::u16string TempFolderPath() {
  char16_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, ToWin(buffer));
  std::u16string path(buffer, length);
  if (!path.empty() && path.back() == u'\\')
    path.pop_back();
  return path;
}

bool FileExists(const std::u16string& path) {
  return GetFileAttributesW(ToWin(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}

void DeleteFolderTree(const std::u16string& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(ToWin((folder + u"\\*").c_str()), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::u16string name = FromWin(found.cFileName);
      if (name == u"." || name == u"..")
        continue;
      const std::u16string path = folder + u"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteFolderTree(path);
      } else {
        // A stand-in that has just written its record may still be ending.
        Eventually([&] { return DeleteFileW(ToWin(path.c_str())) != FALSE; }, 2000);
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(ToWin(folder.c_str()));
}

ScratchFolder::ScratchFolder(const std::u16string& name) {
  static int made = 0;
  path_ = TempFolderPath() + u"\\" + name + u" " +
          std::u16string(FromWin(std::to_wstring(GetCurrentProcessId()).c_str())) + u"-" +
          std::u16string(FromWin(std::to_wstring(++made).c_str()));
  DeleteFolderTree(path_);
  CreateDirectoryW(ToWin(path_.c_str()), nullptr);
}

ScratchFolder::~ScratchFolder() {
  DeleteFolderTree(path_);
}

bool ScratchFolder::CopyIn(const std::u16string& source, const std::u16string& name) const {
  return CopyFileW(ToWin(source.c_str()), ToWin(File(name).c_str()), FALSE) != FALSE;
}

bool ScratchFolder::WriteText(const std::u16string& name, const std::string& bytes) const {
  HANDLE file = CreateFileW(ToWin(File(name).c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::unique_ptr<Process> Process::Start(const std::u16string& program,
                                        const std::u16string& working_directory,
                                        const std::u16string& arguments) {
  std::u16string command_line = u"\"" + program + u"\"";
  if (!arguments.empty())
    command_line += u" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(ToWin(program.c_str()), ToWin(&command_line[0]), nullptr, nullptr, FALSE, 0,
                      nullptr, ToWin(working_directory.c_str()), &startup, &started)) {
    return nullptr;
  }
  CloseHandle(started.hThread);
  return std::unique_ptr<Process>(new Process(started.hProcess, started.dwProcessId));
}

Process::~Process() {
  Kill();
  CloseHandle(handle_);
}

bool Process::Running() const {
  return WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(DWORD timeout_ms) const {
  if (WaitForSingleObject(handle_, timeout_ms) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(handle_, &code);
  return code;
}

void Process::Kill() {
  if (!Running())
    return;
  TerminateProcess(handle_, 99);
  WaitForSingleObject(handle_, Patience());
}

namespace {

struct WindowSearch {
  DWORD process_id;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process_id)
    search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> AllWindowsOf(DWORD process_id) {
  WindowSearch search{process_id, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::vector<HWND> WindowsOf(DWORD process_id) {
  std::vector<HWND> visible;
  for (HWND window : AllWindowsOf(process_id)) {
    if (IsWindowVisible(window))
      visible.push_back(window);
  }
  return visible;
}

std::vector<HWND> WindowsOfClass(DWORD process_id, const std::u16string& window_class) {
  std::vector<HWND> found;
  for (HWND window : AllWindowsOf(process_id)) {
    if (ClassOf(window) == window_class)
      found.push_back(window);
  }
  return found;
}

std::u16string TextOf(HWND window) {
  char16_t buffer[512];
  const int length = GetWindowTextW(window, ToWin(buffer), 512);
  return std::u16string(buffer, length > 0 ? length : 0);
}

std::u16string ClassOf(HWND window) {
  char16_t buffer[256];
  const int length = GetClassNameW(window, ToWin(buffer), 256);
  return std::u16string(buffer, length > 0 ? length : 0);
}

}  // namespace e2e
