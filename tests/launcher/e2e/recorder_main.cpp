// Stand-in for the programs the launcher starts (installer, uninstaller, README viewer, titles):
// records how it was started into "<its own path>.log" and exits. The log, UTF-16, holds the
// command line and the working directory, one per line, and appears whole (written, then renamed).
#include <string>

#include "platform/win32_api.h"

namespace {

std::u16string OwnPath() {
  char16_t buffer[32768];
  const DWORD length = GetModuleFileNameW(nullptr, ToWin(buffer), 32768);
  return std::u16string(buffer, length);
}

std::u16string WorkingDirectory() {
  char16_t buffer[32768];
  const DWORD length = GetCurrentDirectoryW(32768, ToWin(buffer));
  return std::u16string(buffer, length);
}

bool WriteWhole(const std::u16string& path, const std::u16string& text) {
  HANDLE file = CreateFileW(ToWin(path.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(text.size() * sizeof(char16_t));
  const BOOL ok = WriteFile(file, text.data(), size, &written, nullptr);
  CloseHandle(file);
  return ok && written == size;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::u16string log = OwnPath() + u".log";
  const std::u16string partial = log + u".partial";
  const std::u16string record =
      std::u16string(FromWin(GetCommandLineW())) + u"\n" + WorkingDirectory() + u"\n";
  if (!WriteWhole(partial, record))
    return 1;
  return MoveFileExW(ToWin(partial.c_str()), ToWin(log.c_str()), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
