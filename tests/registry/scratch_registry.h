#pragma once
// The registry suites run against the host substitute and, on Windows builds, against the real
// registry. Each test works below its own scratch key, "Software\PackTests\<suite>.<test>" under
// HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, removed before and after it; on the host the whole
// registry is reset instead, and every test must end with no key handle left open.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32_api.h"

namespace scratch {

inline std::u16string Widen(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// For messages: ASCII as it is, anything else as "?".
inline std::string Narrow(const std::u16string& text) {
  std::string narrow;
  for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

// Closes the key it holds; for the tests' own raw calls.
class TestKey {
 public:
  TestKey() = default;
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;
  ~TestKey() { Close(); }
  HKEY get() const { return key_; }
  HKEY* out() {
    Close();
    return &key_;
  }
  LSTATUS Close() {
    const LSTATUS status = key_ != nullptr ? RegCloseKey(key_) : ERROR_SUCCESS;
    key_ = nullptr;
    return status;
  }

 private:
  HKEY key_ = nullptr;
};

// A value as stored, read with raw calls.
struct RawValue {
  LSTATUS status = ERROR_SUCCESS;
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;

  bool operator==(const RawValue& other) const {
    return status == other.status && type == other.type && bytes == other.bytes;
  }
};

inline RawValue ReadRaw(HKEY root, const std::u16string& path, const std::u16string& name) {
  RawValue value;
  TestKey key;
  value.status = RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_READ, key.out());
  if (value.status != ERROR_SUCCESS)
    return value;
  DWORD size = 0;
  value.status =
      RegQueryValueExW(key.get(), ToWin(name.c_str()), nullptr, &value.type, nullptr, &size);
  if (value.status != ERROR_SUCCESS)
    return value;
  value.bytes.resize(size);
  value.status = RegQueryValueExW(key.get(), ToWin(name.c_str()), nullptr, &value.type,
                                  value.bytes.data(), &size);
  value.bytes.resize(size);
  return value;
}

// Stores the bytes as given, with guard characters behind them so that the registry never finds
// a NUL there to add to a text.
inline LSTATUS WriteRaw(HKEY root, const std::u16string& path, const std::u16string& name,
                        DWORD type, std::vector<BYTE> bytes) {
  TestKey key;
  LSTATUS status = RegCreateKeyExW(root, ToWin(path.c_str()), 0, nullptr, 0, KEY_ALL_ACCESS,
                                   nullptr, key.out(), nullptr);
  if (status != ERROR_SUCCESS)
    return status;
  const auto size = static_cast<DWORD>(bytes.size());
  bytes.insert(bytes.end(), {'!', '!', '!', '!'});
  return RegSetValueExW(key.get(), ToWin(name.c_str()), 0, type, bytes.data(), size);
}

inline LSTATUS DeleteRawValue(HKEY root, const std::u16string& path, const std::u16string& name) {
  TestKey key;
  const LSTATUS status = RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_ALL_ACCESS, key.out());
  return status != ERROR_SUCCESS ? status : RegDeleteValueW(key.get(), ToWin(name.c_str()));
}

// The UTF-16 bytes of a text, with its NUL when asked.
inline std::vector<BYTE> TextBytes(const std::u16string& text, bool with_nul = true) {
  std::vector<BYTE> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  if (with_nul)
    bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

inline bool KeyExists(HKEY root, const std::u16string& path) {
  TestKey key;
  return RegOpenKeyExW(root, ToWin(path.c_str()), 0, KEY_READ, key.out()) == ERROR_SUCCESS;
}

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    path_ = u"Software\\PackTests\\" + Widen(info->test_suite_name()) + u"." + Widen(info->name());
    for (char16_t& c : path_) {
      if (c == u'/')
        c = u'_';
    }
    RemoveScratchKeys();
  }

  void TearDown() override {
#ifndef _WIN32
    EXPECT_EQ(hostwin::OpenRegistryKeyCount(), 0u) << "a key handle was left open";
#endif
    RemoveScratchKeys();
  }

  // The scratch key below either root, or a path below it.
  const std::u16string& Scratch() const {
    return path_;
  }
  std::u16string Scratch(const std::u16string& below) const {
    return path_ + u"\\" + below;
  }

  void RemoveScratchKeys() {
#ifdef _WIN32
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      RegDeleteTreeW(root, ToWin(path_.c_str()));
      RegDeleteKeyW(root, ToWin(u"Software\\PackTests"));  // refused while other suites use it
    }
#else
    hostwin::ResetRegistry();
#endif
  }

 private:
  std::u16string path_;
};

}  // namespace scratch
