#pragma once
// Drives the real setup.exe under Wine (or Windows) the way a user would: a scratch pack folder,
// the launcher's process, its windows and controls, and the stand-in programs' records, over the
// processes, folders and windows of harness/programs.h.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "harness/programs.h"
#include "platform/win32_api.h"
#include "tests/support/bitmap_pixels.h"

namespace e2e {

// What the user reads in the launcher's title bar.
constexpr char16_t kLauncherCaption[] = u"ヴァルデンスペシャルパック セットアップ";

std::u16string BuiltLauncherPath();
// The built setup.exe of an edition ("all", "kavor", "nuva", "trell").
std::u16string BuiltLauncherPath(const char* edition);
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

// A pack folder: setup.exe (the TRELL edition's unless another is given) and, unless told
// otherwise, stand-ins for the installer, the uninstaller and a readme.htm.
class PackFolder : public ScratchFolder {
 public:
  explicit PackFolder(const std::u16string& name, bool with_companions = true,
                      const std::u16string& launcher = BuiltLauncherPath());
  std::u16string LauncherPath() const { return File(u"setup.exe"); }
};

// setup.exe of the pack, started from the temporary folder rather than its own, as from a
// shortcut: nothing may depend on the working directory.
std::unique_ptr<Process> StartLauncher(const PackFolder& pack);
// Starts the launcher and waits for its window; null (and a test failure) when it does not show.
HWND OpenLauncher(const PackFolder& pack, std::unique_ptr<Process>& process);

// The visible dialog of the process with that caption, waiting for it up to `timeout_ms`.
HWND WaitForDialog(DWORD process_id, const std::u16string& caption, DWORD timeout_ms = Patience());
// Clicks a dialog's button as the user would; returns once the click has been handled.
void Click(HWND dialog, int control_id);
// The Esc key, the close box, and the dialog's default OK command.
void PressEscape(HWND dialog);
void PressCloseBox(HWND dialog);
void SendDefaultOk(HWND dialog);

// How a stand-in program was started.
struct Recording {
  std::u16string command_line;
  std::u16string working_directory;
};
// The record of the stand-in at `program`, waiting for it up to `timeout_ms`.
std::optional<Recording> WaitForRecording(const std::u16string& program,
                                          DWORD timeout_ms = Patience());

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
