#pragma once
// The folders the title suites set up around each test (their registry keys are moved aside by
// tests/support/registry_sandbox.h). On the host the substitutes start empty and are emptied
// again; under Wine the folders are the prefix's real ones, and what the test created is removed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace title_test {

#ifdef _WIN32

// Folders (and files) a test creates in the real file system, removed again in reverse order.
class FileGuard {
 public:
  FileGuard() = default;
  FileGuard(const FileGuard&) = delete;
  FileGuard& operator=(const FileGuard&) = delete;
  ~FileGuard() {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
      if (it->is_folder) {
        RemoveDirectoryW(ToWin(it->path.c_str()));
      } else {
        DeleteFileW(ToWin(it->path.c_str()));
      }
    }
  }

  // Creates the folder and every missing folder above it.
  void AddFolder(const std::u16string& path) {
    for (size_t end = path.find(u'\\', 3);; end = path.find(u'\\', end + 1)) {
      const std::u16string prefix = path.substr(0, end);
      if (CreateDirectoryW(ToWin(prefix.c_str()), nullptr))
        created_.push_back({prefix, true});
      if (end == std::u16string::npos)
        break;
    }
  }

  void AddFile(const std::u16string& path) {
    HANDLE file = CreateFileW(ToWin(path.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    created_.push_back({path, false});
  }

 private:
  struct Created {
    std::u16string path;
    bool is_folder;
  };
  std::vector<Created> created_;
};

#else

class FileGuard {
 public:
  FileGuard() {
    hostwin::ResetFiles();
    hostwin::ResetShell();
    hostwin::SetShellFolder(CSIDL_LOCAL_APPDATA, u"C:\\Users\\Tester\\AppData\\Local");
    hostwin::SetShellFolder(CSIDL_APPDATA, u"C:\\Users\\Tester\\AppData\\Roaming");
  }
  FileGuard(const FileGuard&) = delete;
  FileGuard& operator=(const FileGuard&) = delete;
  ~FileGuard() {
    hostwin::ResetFiles();
    hostwin::ResetShell();
  }
  void AddFolder(const std::u16string& path) { hostwin::AddFolder(path); }
  void AddFile(const std::u16string& path) { hostwin::AddFile(path); }
};

#endif

// The user's application-data folders: Wine's real ones, or those FileGuard sets on the host.
inline std::u16string ShellFolder(int folder) {
  char16_t path[MAX_PATH] = {};
  EXPECT_EQ(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, ToWin(path)), S_OK);
  return path;
}

}  // namespace title_test
