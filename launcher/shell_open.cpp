#include "launcher/shell_open.h"

#include <cstdint>

#include "platform/main_window.h"
#include "platform/shell_on_first_use.h"
#include "platform/win32_api.h"

namespace {

// The shell's result is an HINSTANCE in name only: a number, above 32 when the request was
// accepted.
bool Accepted(HINSTANCE result) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(result)) > 32;
}

}  // namespace

exlib::Tu_text WorkingDirectoryOf(exlib::Tu_text file) {
  file.SlashesToBackslashes();
  const int32_t last_backslash = file.FindLast("\\", 0);
  if (last_backslash > 0)
    return file.Left(last_backslash);
  return file;
}

bool ShellOpenFile(exlib::Tu_text file) {
  return ShellOpenFile(file, exlib::Tu_text());
}

bool ShellOpenFile(exlib::Tu_text file, exlib::Tu_text parameters) {
  const exlib::Tu_text directory = WorkingDirectoryOf(file);
  return Accepted(ShellExecuteOnFirstUse(MainWindow(), ToWin(u"open"), ToWin(file.Wide()),
                                         ToWin(parameters.Wide()), ToWin(directory.Wide()),
                                         SW_SHOWNORMAL));
}

bool ShellOpenTarget(exlib::Tu_text target) {
  return Accepted(ShellExecuteOnFirstUse(MainWindow(), ToWin(u"open"), ToWin(target.Wide()),
                                         nullptr, nullptr, SW_SHOWNORMAL));
}
