#include <gtest/gtest.h>

#include <string>

#include "platform/win32_api.h"

namespace {

// The full path of the running executable, as the platform reports it with room to spare.
std::u16string FullModulePath() {
  char16_t buffer[1024];
  DWORD n = GetModuleFileNameW(nullptr, ToWin(buffer), 1024);
  return std::u16string(buffer, n);
}

class ModuleFileName : public testing::Test {
 protected:
  void SetUp() override {
#ifndef _WIN32
    hostwin::SetModulePath(u"C:\\Games\\Pack\\setup_tests.exe");
#endif
    path_ = FullModulePath();
    ASSERT_GT(path_.size(), 4u);
  }
  std::u16string path_;
};

TEST_F(ModuleFileName, FitsAndIsTerminated) {
  char16_t buffer[MAX_PATH + 1];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  DWORD n = GetModuleFileNameW(nullptr, ToWin(buffer), MAX_PATH + 1);
  EXPECT_EQ(n, path_.size());
  EXPECT_EQ(buffer[n], u'\0');
  EXPECT_EQ(std::u16string(buffer, n), path_);
  EXPECT_EQ(path_.substr(1, 2), u":\\");
}

// A buffer too small for the path gets it cut, the buffer size back and ERROR_INSUFFICIENT_BUFFER.
// Windows terminates the cut string but Wine does not, so callers must terminate it themselves.
TEST_F(ModuleFileName, TooSmallBufferIsCutWithinItsSize) {
  char16_t buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  SetLastError(ERROR_SUCCESS);
  DWORD n = GetModuleFileNameW(nullptr, ToWin(buffer), 5);
  EXPECT_EQ(n, 5u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::u16string(buffer, 4), path_.substr(0, 4));
  EXPECT_EQ(buffer[5], u'#');
}

}  // namespace
