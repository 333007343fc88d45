// What the launcher's command buttons open: the files beside the launcher on both targets, and
// what reaches the shell through the host substitute.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "launcher/command_buttons.h"
#include "platform/main_window.h"
#include "platform/win32_api.h"

namespace {

using Text = std::optional<std::u16string>;

// A folder path longer than MAX_PATH, without its trailing backslash.
const std::u16string kLongFolder = [] {
  std::u16string folder = u"C:\\Users\\someone\\Downloads";
  while (folder.size() < 300) folder += u"\\a folder with a long name";
  return folder;
}();

Text Beside(const std::u16string& launcher, const char* file) {
  const auto found = FileBesideLauncher(
      exlib::Tu_text(launcher.c_str(), static_cast<int32_t>(launcher.size())), file);
  return found ? Text(std::u16string(found->Wide(), found->Length())) : std::nullopt;
}

// Deep folders find their files in the same folder; an empty path (one that could not be read
// whole) finds nothing, never a file in the root or a parent folder.
TEST(CommandButtons, FilesAreLookedForInTheLaunchersOwnFolder) {
  EXPECT_EQ(Beside(kLongFolder + u"\\setup.exe", "inst.exe"), kLongFolder + u"\\inst.exe");
  EXPECT_EQ(Beside(u"D:\\Pack\\setup.exe", "readme.htm"), u"D:\\Pack\\readme.htm");
  EXPECT_EQ(Beside(u"", "inst.exe"), std::nullopt);
}

#ifndef _WIN32

struct Row {
  const char* button;
  void (*press)();
  const char16_t* launcher;
  Text file;
  Text parameters;
  Text directory;
};

const Row kRows[] = {
    {"install", OpenInstaller, u"D:\\Pack\\setup.exe", u"D:\\Pack\\inst.exe",
     u"D:\\Pack\\setup.exe", u"D:\\Pack"},
    {"install from a folder with blanks", OpenInstaller, u"C:\\My Games\\Pack 2\\setup.exe",
     u"C:\\My Games\\Pack 2\\inst.exe", u"C:\\My Games\\Pack 2\\setup.exe",
     u"C:\\My Games\\Pack 2"},
    {"install from a drive's root", OpenInstaller, u"E:\\setup.exe", u"E:\\inst.exe",
     u"E:\\setup.exe", u"E:"},
    {"uninstall", OpenUninstaller, u"D:\\Pack\\setup.exe", u"D:\\Pack\\uninst.exe", u"",
     u"D:\\Pack"},
    {"README", OpenReadme, u"D:\\パック\\setup.exe", u"D:\\パック\\readme.htm", u"", u"D:\\パック"},
    {"website", OpenWebsite, u"D:\\Pack\\setup.exe", kWebsiteUrl, std::nullopt, std::nullopt},
};

const std::u16string kLongLauncher = kLongFolder + u"\\setup.exe";

TEST(CommandButtons, EachOpensItsTargetThroughTheShell) {
  HWND window = reinterpret_cast<HWND>(0x1234);
  SetMainWindow(window);
  std::vector<Row> rows(std::begin(kRows), std::end(kRows));
  const std::u16string long_installer = kLongFolder + u"\\inst.exe";
  const std::u16string long_readme = kLongFolder + u"\\readme.htm";
  rows.push_back({"install from a deep folder", OpenInstaller, kLongLauncher.c_str(),
                  long_installer, kLongLauncher, kLongFolder});
  rows.push_back({"README from a deep folder", OpenReadme, kLongLauncher.c_str(), long_readme, u"",
                  kLongFolder});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.button);
    hostwin::ResetShell();
    hostwin::SetModulePath(row.launcher);
    row.press();
    ASSERT_EQ(hostwin::ShellExecuteCalls().size(), 1u);
    const hostwin::ShellExecuteCall& call = hostwin::ShellExecuteCalls()[0];
    EXPECT_EQ(call.owner, window);
    EXPECT_EQ(call.verb, Text(u"open"));
    EXPECT_EQ(call.file, row.file);
    EXPECT_EQ(call.parameters, row.parameters);
    EXPECT_EQ(call.directory, row.directory);
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
  }
  SetMainWindow(nullptr);
}

// A path longer than the system allows cannot be read whole: the buttons beside the launcher open
// nothing, the website still opens.
TEST(CommandButtons, NothingBesideAnUnreadableLauncherPathOpens) {
  hostwin::SetModulePath(u"C:\\" + std::u16string(40000, u'x') + u"\\setup.exe");
  for (void (*press)() : {OpenInstaller, OpenUninstaller, OpenReadme}) {
    hostwin::ResetShell();
    press();
    EXPECT_TRUE(hostwin::ShellExecuteCalls().empty());
  }
  hostwin::ResetShell();
  OpenWebsite();
  EXPECT_EQ(hostwin::ShellExecuteCalls().size(), 1u);
}
#endif

}  // namespace
