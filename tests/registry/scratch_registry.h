#pragma once
// The registry suites run against the host substitute and, on Windows builds, against the real
// registry. Each test works below its own scratch key, "Software\PackTests\<suite>.<test>" under
// HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, removed before and after it (their shared parent
// stays); on the host the whole registry is reset instead, and every test must end with no key
// handle left open.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32_api.h"
#include "harness/registry_values.h"

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
    // Only this test's own key: "Software\PackTests" itself stays, since suites run in parallel
    // and Wine creates a path one key at a time, so another suite's create through a parent
    // deleted under it fails with ERROR_KEY_DELETED.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
      RegDeleteTreeW(root, ToWin(path_.c_str()));
#else
    hostwin::ResetRegistry();
#endif
  }

 private:
  std::u16string path_;
};

}  // namespace scratch
