#include "bench/support/linux_proc.h"

#include <cstdlib>
#include <cstring>

#include "platform/win32_api.h"

namespace linuxproc {
namespace {

std::string ReadWhole(const std::u16string& path) {
  HANDLE file = CreateFileW(ToWin(path.c_str()), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    text.append(buffer, read);
  }
  CloseHandle(file);
  return text;
}

std::u16string ProcPath(long pid, const char16_t* entry) {
  const std::wstring number = std::to_wstring(pid);
  return u"Z:\\proc\\" + std::u16string(FromWin(number.c_str())) + u"\\" + entry;
}

std::string Utf8(const std::u16string& text) {
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, ToWin(text.c_str()), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, ToWin(text.c_str()), -1, &bytes[0], size, nullptr, nullptr);
  bytes.resize(static_cast<size_t>(size > 0 ? size - 1 : 0));
  return bytes;
}

}  // namespace

long LinuxPidOf(const std::u16string& path) {
  const std::string wanted = Utf8(path);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(ToWin(u"Z:\\proc\\*"), &found);
  if (search == INVALID_HANDLE_VALUE)
    return 0;
  long pid = 0;
  do {
    const long candidate = std::wcstol(found.cFileName, nullptr, 10);
    if (candidate <= 0)
      continue;
    const std::string command = ReadWhole(ProcPath(candidate, u"cmdline"));
    if (command.c_str() == wanted)
      pid = candidate;
  } while (pid == 0 && FindNextFileW(search, &found));
  FindClose(search);
  return pid;
}

long long CpuNanoseconds(long pid) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(ToWin((ProcPath(pid, u"task") + u"\\*").c_str()), &found);
  if (search == INVALID_HANDLE_VALUE)
    return -1;
  long long total = 0;
  do {
    const long thread = std::wcstol(found.cFileName, nullptr, 10);
    if (thread <= 0)
      continue;
    const std::wstring number = std::to_wstring(thread);
    const std::string schedstat = ReadWhole(
        ProcPath(pid, u"task\\") + std::u16string(FromWin(number.c_str())) + u"\\schedstat");
    total += std::strtoll(schedstat.c_str(), nullptr, 10);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return total;
}

long long StatusKilobytes(long pid, const char* field) {
  const std::string status = ReadWhole(ProcPath(pid, u"status"));
  const size_t at = status.find(field);
  if (at == std::string::npos)
    return -1;
  return std::strtoll(status.c_str() + at + std::strlen(field), nullptr, 10);
}

}  // namespace linuxproc
