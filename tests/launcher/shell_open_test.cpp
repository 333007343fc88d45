#include <gtest/gtest.h>

#include <string>

#include "launcher/shell_open.h"
#include "platform/main_window.h"
#include "platform/win32_api.h"

namespace {

std::u16string WorkingDirectory(const char16_t* file) {
  return WorkingDirectoryOf(exlib::Tu_text(file)).Wide();
}

struct WorkingDirectoryCase {
  const char16_t* file;
  const char16_t* directory;
};

TEST(WorkingDirectoryOf, IsTheFoldersPathWithoutTrailingBackslash) {
  const WorkingDirectoryCase cases[] = {
      {u"C:\\Games\\Title\\game.exe", u"C:\\Games\\Title"},
      {u"C:/Games/Title/game.exe", u"C:\\Games\\Title"},
      {u"C:\\Games/Title\\game.exe", u"C:\\Games\\Title"},
      {u"C:\\game.exe", u"C:"},
      {u"D:\\Pack Folder\\inst.exe", u"D:\\Pack Folder"},
      {u"\\\\server\\share\\game.exe", u"\\\\server\\share"},
      {u"C:\\Games\\", u"C:\\Games"},
      {u"Games\\game.exe", u"Games"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WorkingDirectory(c.file), c.directory) << "file: " << testing::PrintToString(c.file);
  }
}

// No separator past the first character leaves the whole path, converted, as its own folder.
TEST(WorkingDirectoryOf, PathWithoutInnerSeparatorIsItsOwnDirectory) {
  EXPECT_EQ(WorkingDirectory(u"game.exe"), u"game.exe");
  EXPECT_EQ(WorkingDirectory(u"\\game.exe"), u"\\game.exe");
  EXPECT_EQ(WorkingDirectory(u"/game.exe"), u"\\game.exe");
  EXPECT_EQ(WorkingDirectory(u""), u"");
}

#ifdef _WIN32

// The real shell refuses a program that does not exist, and the refusal reaches the caller.
TEST(ShellOpenFile, RealShellRefusesMissingProgram) {
  EXPECT_FALSE(ShellOpenFile(u"C:\\pack-tests-missing-folder\\missing-program.exe"));
}

#else

class ShellOpen : public testing::Test {
 protected:
  void SetUp() override { hostwin::ResetShell(); }
  void TearDown() override {
    SetMainWindow(nullptr);
    hostwin::ResetShell();
  }

  const hostwin::ShellExecuteCall& OnlyCall() {
    const auto& calls = hostwin::ShellExecuteCalls();
    EXPECT_EQ(calls.size(), 1u);
    return calls.back();
  }
};

TEST_F(ShellOpen, FileIsOpenedInItsFolderWithEmptyParameters) {
  ASSERT_TRUE(ShellOpenFile(u"C:/Games/Title/game.exe"));
  const auto& call = OnlyCall();
  EXPECT_EQ(call.owner, nullptr);
  EXPECT_EQ(call.verb, u"open");
  EXPECT_EQ(call.file, u"C:/Games/Title/game.exe");
  ASSERT_TRUE(call.parameters.has_value());
  EXPECT_EQ(*call.parameters, u"");
  EXPECT_EQ(call.directory, u"C:\\Games\\Title");
  EXPECT_EQ(call.show, SW_SHOWNORMAL);
}

TEST_F(ShellOpen, ParametersArePassedUnquoted) {
  ASSERT_TRUE(ShellOpenFile(u"D:\\My Pack\\inst.exe", u"D:\\My Pack\\setup.exe"));
  const auto& call = OnlyCall();
  EXPECT_EQ(call.file, u"D:\\My Pack\\inst.exe");
  EXPECT_EQ(call.parameters, u"D:\\My Pack\\setup.exe");
  EXPECT_EQ(call.directory, u"D:\\My Pack");
}

TEST_F(ShellOpen, TargetIsOpenedWithoutParametersOrDirectory) {
  ASSERT_TRUE(ShellOpenTarget(u"https://www.example.com/"));
  const auto& call = OnlyCall();
  EXPECT_EQ(call.verb, u"open");
  EXPECT_EQ(call.file, u"https://www.example.com/");
  EXPECT_FALSE(call.parameters.has_value());
  EXPECT_FALSE(call.directory.has_value());
  EXPECT_EQ(call.show, SW_SHOWNORMAL);
}

TEST_F(ShellOpen, MainWindowOwnsWhatTheShellShows) {
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234));
  SetMainWindow(window);
  ShellOpenFile(u"C:\\readme.htm");
  ShellOpenTarget(u"https://www.example.com/");
  const auto& calls = hostwin::ShellExecuteCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].owner, window);
  EXPECT_EQ(calls[1].owner, window);
}

struct ResultCase {
  UINT_PTR shell_result;
  bool accepted;
};

// The shell's answer is a number: 32 and below are error codes, anything above is acceptance,
// including values with the top bit set.
TEST_F(ShellOpen, AcceptedExactlyAbove32) {
  const ResultCase cases[] = {{0, false},         {2, false},          {31, false},
                              {32, false},        {33, true},          {42, true},
                              {0x7FFFFFFF, true}, {0x80000000u, true}, {0xFFFFFFFFu, true}};
  for (const auto& c : cases) {
    hostwin::SetShellExecuteResult(c.shell_result);
    EXPECT_EQ(ShellOpenFile(u"C:\\game.exe"), c.accepted) << "result " << c.shell_result;
    EXPECT_EQ(ShellOpenFile(u"C:\\inst.exe", u"x"), c.accepted) << "result " << c.shell_result;
    EXPECT_EQ(ShellOpenTarget(u"C:\\readme.htm"), c.accepted) << "result " << c.shell_result;
  }
}

#endif

}  // namespace
