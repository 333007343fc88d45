#pragma once
// What the title suites set up around each test: registry keys and folders. On the host the
// substitutes start empty and are emptied again; under Wine the keys and folders are the prefix's
// real ones, so a key a test uses is moved aside first and put back afterwards, and what the test
// created is removed.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32_api.h"

namespace title_test {

inline void SetValue(HKEY root, const std::u16string& path, const std::u16string& name, DWORD type,
                     const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, ToWin(path.c_str()), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, ToWin(name.c_str()), 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// The text with its terminating NUL, as Windows stores it.
inline void SetText(HKEY root, const std::u16string& path, const std::u16string& name,
                    const std::u16string& text, DWORD type = REG_SZ) {
  SetValue(root, path, name, type, text.c_str(),
           static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
}

// The value's text when it exists with a text type, without its terminating NUL.
inline std::optional<std::u16string> ReadText(HKEY root, const std::u16string& path,
                                              const std::u16string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = 0;
  char16_t data[4096] = {};
  DWORD size = sizeof(data) - sizeof(char16_t);
  const LSTATUS status = RegQueryValueExW(key, ToWin(name.c_str()), nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  return std::u16string(data);
}

inline void DeleteValue(HKEY root, const std::u16string& path, const std::u16string& name) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key, ToWin(name.c_str())), ERROR_SUCCESS);
  RegCloseKey(key);
}

inline bool KeyExists(HKEY root, const std::u16string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

#ifdef _WIN32

// Sets a key's content aside for the length of a test and puts it back afterwards. A key that did
// not exist is removed again together with every parent the test caused to be created.
class KeyGuard {
 public:
  KeyGuard(HKEY root, std::u16string path) : root_(root), path_(std::move(path)) {
    created_from_ = FirstMissingAncestor();
    if (!created_from_.empty())
      return;
    static int guards = 0;
    backup_ = u"Software\\PackTestsBackup-" + Number(GetCurrentProcessId()) + u"-" +
              Number(static_cast<DWORD>(++guards));
    CopyTree(path_, backup_);
    RegDeleteTreeW(root_, ToWin(path_.c_str()));
  }
  KeyGuard(const KeyGuard&) = delete;
  KeyGuard& operator=(const KeyGuard&) = delete;
  ~KeyGuard() {
    if (!created_from_.empty()) {
      RegDeleteTreeW(root_, ToWin(created_from_.c_str()));
      return;
    }
    RegDeleteTreeW(root_, ToWin(path_.c_str()));
    CopyTree(backup_, path_);
    RegDeleteTreeW(root_, ToWin(backup_.c_str()));
  }

 private:
  static std::u16string Number(DWORD n) {
    std::u16string digits;
    do {
      digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 10));
      n /= 10;
    } while (n != 0);
    return digits;
  }

  // The shortest leading part of the path that names no key; empty when the whole path exists.
  std::u16string FirstMissingAncestor() const {
    for (size_t end = path_.find(u'\\');; end = path_.find(u'\\', end + 1)) {
      const std::u16string prefix = path_.substr(0, end);
      if (!KeyExists(root_, prefix))
        return prefix;
      if (end == std::u16string::npos)
        return std::u16string();
    }
  }

  void CopyTree(const std::u16string& from, const std::u16string& to) const {
    HKEY source = nullptr;
    HKEY target = nullptr;
    ASSERT_EQ(RegOpenKeyExW(root_, ToWin(from.c_str()), 0, KEY_READ, &source), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExW(root_, ToWin(to.c_str()), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &target, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegCopyTreeW(source, nullptr, target), ERROR_SUCCESS);
    RegCloseKey(target);
    RegCloseKey(source);
  }

  HKEY root_;
  std::u16string path_;
  std::u16string created_from_;
  std::u16string backup_;
};

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

class KeyGuard {
 public:
  KeyGuard(HKEY, std::u16string) { hostwin::ResetRegistry(); }
  KeyGuard(const KeyGuard&) = delete;
  KeyGuard& operator=(const KeyGuard&) = delete;
  ~KeyGuard() { hostwin::ResetRegistry(); }
};

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
