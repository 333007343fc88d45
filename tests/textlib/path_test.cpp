#include <gtest/gtest.h>

#include <algorithm>
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

// A path of the given length ending in the launcher's name.
std::u16string PathOfLength(size_t length) {
  const std::u16string name = u"\\setup.exe";
  std::u16string path = u"D:\\";
  while (path.size() + name.size() < length) path += path.size() % 50 == 0 ? u'\\' : u'd';
  return path + name;
}

// A reader that cuts a path too long for the buffer as Windows does (terminated inside the
// buffer) or as Wine does (not terminated); either way it answers the buffer's size.
exlib::ModuleFileNameReader CuttingReader(const std::u16string& path, bool terminates) {
  return [path, terminates](char16_t* buffer, uint32_t size) -> uint32_t {
    if (path.size() < size) {
      std::copy(path.begin(), path.end(), buffer);
      buffer[path.size()] = u'\0';
      return static_cast<uint32_t>(path.size());
    }
    std::copy_n(path.begin(), size, buffer);
    if (terminates)
      buffer[size - 1] = u'\0';
    return size;
  };
}

// The whole path up to the longest the system allows, whatever the first buffer's size; a path
// that still does not fit, or a failed call, reads as empty rather than as a parent folder.
TEST(ModulePathReading, ReadsThePathWholeOrNotAtAll) {
  for (bool terminates : {true, false}) {
    for (size_t length : {20u, 259u, 260u, 261u, 300u, 520u, 4000u, 32767u, 32768u, 40000u}) {
      SCOPED_TRACE(std::to_string(length) + (terminates ? " terminated" : " unterminated"));
      const std::u16string path = PathOfLength(length);
      ASSERT_EQ(path.size(), length);
      const std::u16string expected = length <= exlib::kLongestPath ? path : u"";
      EXPECT_EQ(WideOf(exlib::ReadModulePath(CuttingReader(path, terminates))), expected);
    }
  }
  EXPECT_EQ(WideOf(exlib::ReadModulePath([](char16_t*, uint32_t) -> uint32_t { return 0; })), u"");
}

#ifndef _WIN32
// Only the substitute can give the program a path longer than MAX_PATH (Wine starts no program
// from one): the platform's own call is read whole too.
TEST_F(ModulePaths, LongPathIsReadWhole) {
  const std::u16string long_path = PathOfLength(1000);
  hostwin::SetModulePath(long_path);
  EXPECT_EQ(WideOf(exlib::ModulePath()), long_path);
  EXPECT_EQ(WideOf(exlib::ModuleDirectory()), long_path.substr(0, long_path.size() - 9));
}
#endif

}  // namespace
