#include <gtest/gtest.h>

#include <string>

#include "platform/win32_api.h"
#include "textlib/paths.h"
#include "tests/support/text_forms.h"

namespace {

using exlib::Tu_text;
using testsupport::WideOf;

struct PathCase {
  const char16_t* input;
  const char16_t* expected;
};

TEST(Paths, NormalizePath) {
  const PathCase cases[] = {
      {u"C:/Games//Data/", u"C:\\Games\\Data"},
      {u"C:\\", u"C:\\"},
      {u"C:\\\\", u"C:\\"},
      {u"C:", u"C:"},
      {u"D:\\x\\\\", u"D:\\x"},
      {u"a\\\\\\b", u"a\\b"},
      {u"\\\\server\\share\\", u"\\\\server\\share"},
      {u"\\\\\\\\server", u"\\\\server"},
      {u"\\\\", u"\\"},
      {u"\\", u""},
      {u"/", u""},
      {u"", u""},
      {u"//server/share", u"\\\\server\\share"},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(WideOf(exlib::NormalizePath(Tu_text(c.input))), c.expected)
        << "input " << testing::PrintToString(std::u16string(c.input));
  }
}

TEST(Paths, PathJoinLeavesOneSeparatorBetweenTheParts) {
  const struct {
    const char16_t* first;
    const char16_t* second;
    const char16_t* expected;
  } cases[] = {
      {u"C:\\Games", u"inst.exe", u"C:\\Games\\inst.exe"},
      {u"C:\\Games\\", u"\\Data\\", u"C:\\Games\\Data"},
      {u"C:", u"", u"C:\\"},
      {u"C:\\", u"", u"C:\\"},
      {u"a", u"", u"a"},
      {u"", u"x", u"\\x"},
      {u"C:/Games/", u"/Data/x.dat", u"C:\\Games\\Data\\x.dat"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WideOf(exlib::PathJoin(Tu_text(c.first), Tu_text(c.second))), c.expected);
  }
}

TEST(Paths, ParentDirectoryCountsOnlyBackslashes) {
  const PathCase cases[] = {
      {u"C:\\Games\\setup.exe", u"C:\\Games\\"},
      {u"C:\\Games\\", u"C:\\Games\\"},
      {u"setup.exe", u"\\"},
      {u"C:/Games/setup.exe", u"\\"},
      {u"", u"\\"},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(WideOf(exlib::ParentDirectory(Tu_text(c.input))), c.expected);
  }
}

TEST(Paths, SlashesToBackslashesChangesTheTextInPlace) {
  Tu_text path(u"C:/a/b");
  EXPECT_EQ(&path.SlashesToBackslashes(), &path);
  EXPECT_EQ(WideOf(path), u"C:\\a\\b");
  EXPECT_STREQ(path.Narrow(), "C:\\a\\b");
  Tu_text unset;
  EXPECT_EQ(WideOf(unset.SlashesToBackslashes()), u"");
}

class ModulePaths : public testing::Test {
 protected:
#ifndef _WIN32
  void SetUp() override {
    hostwin::SetModulePath(u"C:\\Games\\Pack\\textlib_path_tests.exe");
  }
#endif
};

TEST_F(ModulePaths, ModuleDirectoryHoldsTheExecutable) {
  const Tu_text path = exlib::ModulePath();
  const std::u16string full = WideOf(path);
  ASSERT_GT(full.size(), 3u);
  EXPECT_EQ(full.substr(1, 2), u":\\");
  EXPECT_EQ(WideOf(exlib::ModuleDirectory() + Tu_text("textlib_path_tests.exe")), full);
}

#ifndef _WIN32
// Only the substitute can give the program a path longer than the buffer.
TEST_F(ModulePaths, LongPathIsCutToTheBuffer) {
  const std::u16string long_path = u"C:\\" + std::u16string(300, u'x') + u"\\setup.exe";
  hostwin::SetModulePath(long_path);
  EXPECT_EQ(WideOf(exlib::ModulePath()), long_path.substr(0, MAX_PATH - 1));
}
#endif

}  // namespace
