#pragma once
// Drives the real setup.exe under Wine (or Windows) the way a user would: a scratch pack folder,
// the launcher's process, its windows and controls, and the stand-in programs' records. Every
// wait is bounded; every process a test starts ends with its object.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32_api.h"
#include "tests/support/bitmap_pixels.h"

namespace e2e {

constexpr DWORD kPatience = 10000;  // ms: how long anything that should happen may take

// What the user reads in the launcher's title bar.
constexpr char16_t kLauncherCaption[] = u"ヴァルデンスペシャルパック セットアップ";

std::u16string BuiltLauncherPath();
// The built setup.exe of an edition ("all", "kavor", "nuva", "trell").
std::u16string BuiltLauncherPath(const char* edition);
// The temporary folder, without a trailing backslash.
std::u16string TempFolderPath();
std::u16string RecorderPath();

// Where a test run leaves files for people to look at (the build's tests folder).
std::u16string OutputFolderPath();

// What the screen shows in a rectangle, top-down.
using Capture = testsupport::BitmapPixels;
// Under Wine a process reads only its own windows back from the screen, so there the X display
// is captured instead (Wine runs Unix programs too).
Capture CaptureScreen(const RECT& area);
// Writes the capture as a 32-bit BMP file; false when it cannot.
bool SaveAsBmp(const Capture& capture, const std::u16string& path);

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

// A pack folder: setup.exe (the TRELL edition's unless another is given) and, unless told
// otherwise, stand-ins for the installer, the uninstaller and a readme.htm.
class PackFolder : public ScratchFolder {
 public:
  explicit PackFolder(const std::u16string& name, bool with_companions = true,
                      const std::u16string& launcher = BuiltLauncherPath());
  std::u16string LauncherPath() const { return File(u"setup.exe"); }
};

// A process the test started; ended (terminated, with a bounded wait) on destruction if it still
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
  std::optional<DWORD> WaitForExit(DWORD timeout_ms = kPatience) const;
  void Kill();

 private:
  Process(HANDLE handle, DWORD id) : handle_(handle), id_(id) {}
  HANDLE handle_;
  DWORD id_;
};

// setup.exe of the pack, started from the temporary folder rather than its own, as from a
// shortcut: nothing may depend on the working directory.
std::unique_ptr<Process> StartLauncher(const PackFolder& pack);
// Starts the launcher and waits for its window; null (and a test failure) when it does not show.
HWND OpenLauncher(const PackFolder& pack, std::unique_ptr<Process>& process);

// Visible top-level windows of a process.
std::vector<HWND> WindowsOf(DWORD process_id);
// The visible dialog of the process with that caption, waiting for it up to `timeout_ms`.
HWND WaitForDialog(DWORD process_id, const std::u16string& caption, DWORD timeout_ms = kPatience);
// Top-level windows of a process of that class, visible or not.
std::vector<HWND> WindowsOfClass(DWORD process_id, const std::u16string& window_class);
std::u16string TextOf(HWND window);
std::u16string ClassOf(HWND window);
// Clicks a dialog's button as the user would; returns once the click has been handled.
void Click(HWND dialog, int control_id);
// The Esc key, the close box, and the dialog's default OK command.
void PressEscape(HWND dialog);
void PressCloseBox(HWND dialog);
void SendDefaultOk(HWND dialog);

// Polls until `condition` holds or `timeout_ms` has passed; whether it held.
template <class Condition>
bool Eventually(Condition condition, DWORD timeout_ms = kPatience) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition())
      return true;
    if (GetTickCount64() >= deadline)
      return false;
    Sleep(20);
  }
}

// How a stand-in program was started.
struct Recording {
  std::u16string command_line;
  std::u16string working_directory;
};
// The record of the stand-in at `program`, waiting for it up to `timeout_ms`.
std::optional<Recording> WaitForRecording(const std::u16string& program,
                                          DWORD timeout_ms = kPatience);
bool FileExists(const std::u16string& path);

// A named mutex that this test creates and owns, as a running installer would. `elevated` makes
// it refuse full access to everyone, as a mutex of an elevated program does to the launcher.
class HeldMutex {
 public:
  explicit HeldMutex(const char16_t* name, bool elevated = false);
  HeldMutex(const HeldMutex&) = delete;
  HeldMutex& operator=(const HeldMutex&) = delete;
  ~HeldMutex();
  bool Held() const { return handle_ != nullptr; }

 private:
  HANDLE handle_;
};

// A handle on an existing named mutex that keeps it alive, to see afterwards how its owner left
// it: WAIT_OBJECT_0 when released, WAIT_ABANDONED when its owner ended holding it.
class MutexObserver {
 public:
  explicit MutexObserver(const char16_t* name);
  MutexObserver(const MutexObserver&) = delete;
  MutexObserver& operator=(const MutexObserver&) = delete;
  ~MutexObserver();
  bool Opened() const { return handle_ != nullptr; }
  DWORD TakeState();

 private:
  HANDLE handle_;
  bool owned_ = false;
};

// Makes `viewer` the program that opens .htm documents, while the object lives.
class HtmlViewerAssociation {
 public:
  explicit HtmlViewerAssociation(const std::u16string& viewer);
  HtmlViewerAssociation(const HtmlViewerAssociation&) = delete;
  HtmlViewerAssociation& operator=(const HtmlViewerAssociation&) = delete;
  ~HtmlViewerAssociation();
  bool Registered() const { return registered_; }

 private:
  bool registered_ = false;
  std::optional<std::u16string> previous_;
};

}  // namespace e2e
