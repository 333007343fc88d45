#include "platform/host/kernel.h"

#include <algorithm>

namespace {
thread_local DWORD last_error = ERROR_SUCCESS;

std::u16string& ModulePathSetting() {
  static std::u16string path = u"C:\\Program Files\\Pack\\setup.exe";
  return path;
}
}  // namespace

DWORD GetLastError() {
  return last_error;
}
void SetLastError(DWORD error) {
  last_error = error;
}

void hostwin::SetModulePath(const std::u16string& path) {
  ModulePathSetting() = path;
}

// As on Windows Vista and later: a path that does not fit is cut, still terminated, and the
// full size is returned with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
  if (module != nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::u16string& path = ModulePathSetting();
  if (path.size() < size) {
    std::copy(path.begin(), path.end(), buffer);
    buffer[path.size()] = u'\0';
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
  }
  std::copy_n(path.begin(), size - 1, buffer);
  buffer[size - 1] = u'\0';
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return size;
}
