#pragma once
// Programs started from outside, as a user or an installer would start them: their processes,
// scratch folders to run them in, and the windows they show. Every wait is bounded; every process
// started here ends with its object. Windows only.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace e2e {

// `ms` times PACK_TEST_PATIENCE_SCALE (a whole number, 1 when unset): a machine on which every
// process runs slower, such as an emulated one, stretches every wait by it.
DWORD Stretched(DWORD ms);
// ms: how long anything that should happen may take.
inline DWORD Patience() {
  return Stretched(10000);
}

// Polls until `condition` holds or `timeout_ms` has passed; whether it held.
template <class Condition>
bool Eventually(Condition condition, DWORD timeout_ms = Patience()) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition())
      return true;
    if (GetTickCount64() >= deadline)
      return false;
    Sleep(20);
  }
}

// The temporary folder, without a trailing backslash.
std::u16string TempFolderPath();
bool FileExists(const std::u16string& path);
// Deletes the folder and everything in it.
void DeleteFolderTree(const std::u16string& folder);

// A new, empty folder under the temporary folder, deleted with everything in it on destruction.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::u16string& name);
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  // Without a trailing backslash.
  const std::u16string& Path() const { return path_; }
  std::u16string File(const std::u16string& name) const { return path_ + u"\\" + name; }
  bool CopyIn(const std::u16string& source, const std::u16string& name) const;
  bool WriteText(const std::u16string& name, const std::string& bytes) const;

 private:
  std::u16string path_;
};

// A process started here; ended (terminated, with a bounded wait) on destruction if it still
// runs.
class Process {
 public:
  // Starts `program` in `working_directory`, its command line the quoted path and `arguments`.
  static std::unique_ptr<Process> Start(const std::u16string& program,
                                        const std::u16string& working_directory,
                                        const std::u16string& arguments = u"");
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  DWORD Id() const { return id_; }
  bool Running() const;
  // The exit code, or nothing when it still runs after `timeout_ms`.
  std::optional<DWORD> WaitForExit(DWORD timeout_ms = Patience()) const;
  void Kill();

 private:
  Process(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}
  HANDLE handle_;
  DWORD id_;
};

// Visible top-level windows of a process.
std::vector<HWND> WindowsOf(DWORD process_id);
// Top-level windows of a process of that class, visible or not.
std::vector<HWND> WindowsOfClass(DWORD process_id, const std::u16string& window_class);
std::u16string TextOf(HWND window);
std::u16string ClassOf(HWND window);

}  // namespace e2e
