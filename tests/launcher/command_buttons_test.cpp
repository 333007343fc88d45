// What the launcher's command buttons hand to the shell, seen through the host substitute.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "launcher/command_buttons.h"
#include "platform/main_window.h"
#include "platform/win32_api.h"

namespace {

using Text = std::optional<std::u16string>;

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

TEST(CommandButtons, EachOpensItsTargetThroughTheShell) {
  HWND window = reinterpret_cast<HWND>(0x1234);
  SetMainWindow(window);
  for (const Row& row : kRows) {
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

}  // namespace
