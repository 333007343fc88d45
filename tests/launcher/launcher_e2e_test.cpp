// The real setup.exe, started from a scratch pack folder, as a user sees it.
#include <gtest/gtest.h>

#include "contract/pack_contract.h"
#include "resources/resource.h"
#include "tests/launcher/e2e/harness.h"
#include "tests/launcher/e2e/title_registry.h"

namespace {

using e2e::OpenLauncher;
using e2e::PackFolder;
using e2e::Process;
using e2e::StartLauncher;

constexpr char16_t kRelatedCaption[] = u"error";
constexpr char16_t kRelatedText[] = u"関連プログラムが起動中です。";

// No title installed or listed, whatever other tests left behind.
class Launcher : public testing::Test {
 protected:
  e2e::TitleRegistry registry_;
};

TEST_F(Launcher, WindowShowsItsCaptionAndButtons) {
  PackFolder pack(u"pack");
  std::unique_ptr<Process> launcher;
  HWND window = OpenLauncher(pack, launcher);
  ASSERT_NE(window, nullptr);

  // The icon is not checked here: under Wine, WM_GETICON from another process answers 0.
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

  for (int id = 1017; id <= 1023; ++id) {
    HWND button = GetDlgItem(window, id);
    ASSERT_NE(button, nullptr) << id;
    EXPECT_EQ(e2e::ClassOf(button), u"Button") << id;
    EXPECT_NE(GetWindowLongPtrW(button, GWL_STYLE) & BS_BITMAP, 0) << id;
  }
  const struct {
    int id;
    const char16_t* text;
  } commands[] = {{IDC_INSTALL, u"インストール（アプリの追加）"},
                  {IDC_UNINSTALL, u"アンインストール（アプリの削除）"},
                  {IDC_README, u"README(お読みください)"},
                  {IDC_WEBSITE, u"ヴァルデン ウェブサイトへ"}};
  for (const auto& command : commands) {
    HWND button = GetDlgItem(window, command.id);
    ASSERT_NE(button, nullptr) << command.id;
    EXPECT_EQ(e2e::TextOf(button), command.text) << command.id;
  }
  // Only the launcher's own window: nothing else of this process shows.
  EXPECT_EQ(e2e::WindowsOf(launcher->Id()).size(), 1u);
}

// Cancelling ends the process at once, leaving its mutex to the system (abandoned); the default OK
// command ends the modal run and the clean-up releases the mutex.
TEST_F(Launcher, EveryWayToCloseTheWindowExitsWithZero) {
  const struct {
    const char* how;
    void (*close)(HWND);
    DWORD mutex_left;
  } ways[] = {{"Esc", e2e::PressEscape, WAIT_ABANDONED},
              {"close box", e2e::PressCloseBox, WAIT_ABANDONED},
              {"default OK", e2e::SendDefaultOk, WAIT_OBJECT_0}};
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    PackFolder pack(u"pack");
    std::unique_ptr<Process> launcher;
    HWND window = OpenLauncher(pack, launcher);
    ASSERT_NE(window, nullptr);
    e2e::MutexObserver own_mutex(kLauncherMutexName);
    ASSERT_TRUE(own_mutex.Opened());

    way.close(window);
    EXPECT_EQ(launcher->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(own_mutex.TakeState(), way.mutex_left);
  }
}

TEST_F(Launcher, ASecondLauncherExitsAtOnceAndTheFirstStays) {
  PackFolder pack(u"pack");
  std::unique_ptr<Process> first;
  HWND window = OpenLauncher(pack, first);
  ASSERT_NE(window, nullptr);

  // A second launcher that showed anything would wait for the user and not end by itself.
  std::unique_ptr<Process> second = StartLauncher(pack);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->WaitForExit(), std::optional<DWORD>(0));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(first->Running());

  // Even while the installer also runs, the second launcher leaves without a message.
  e2e::HeldMutex installer(kInstallerMutexName);
  ASSERT_TRUE(installer.Held());
  std::unique_ptr<Process> third = StartLauncher(pack);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(Launcher, RelatedProgramsShowOneMessageAndTheLauncherExits) {
  const struct {
    const char* situation;
    bool installer;
    bool uninstaller;
    bool elevated;
    const char* how;
    void (*close)(HWND);
  } rows[] = {
      {"installer, closed by OK", true, false, false, "OK",
       [](HWND message) { e2e::Click(message, IDOK); }},
      {"uninstaller, closed by Esc", false, true, false, "Esc", e2e::PressEscape},
      {"both, closed by the close box", true, true, false, "close box", e2e::PressCloseBox},
      // An elevated installer's mutex refuses the launcher full access: it still counts.
      {"elevated installer, closed by OK", true, false, true, "OK",
       [](HWND message) { e2e::Click(message, IDOK); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.situation);
    std::optional<e2e::HeldMutex> installer;
    std::optional<e2e::HeldMutex> uninstaller;
    if (row.installer) {
      ASSERT_TRUE(installer.emplace(kInstallerMutexName, row.elevated).Held());
    }
    if (row.uninstaller) {
      ASSERT_TRUE(uninstaller.emplace(kUninstallerMutexName).Held());
    }
    PackFolder pack(u"pack");
    std::unique_ptr<Process> launcher = StartLauncher(pack);
    ASSERT_NE(launcher, nullptr);

    HWND message = e2e::WaitForDialog(launcher->Id(), kRelatedCaption);
    ASSERT_NE(message, nullptr) << "no message";
    HWND text = FindWindowExW(message, nullptr, ToWin(u"Static"), nullptr);
    EXPECT_EQ(e2e::TextOf(text), kRelatedText);
    EXPECT_EQ(e2e::WindowsOf(launcher->Id()), std::vector<HWND>{message});

    row.close(message);
    EXPECT_EQ(launcher->WaitForExit(), std::optional<DWORD>(0));
  }
}

TEST_F(Launcher, AKilledLauncherDoesNotBlockTheNext) {
  PackFolder pack(u"pack");
  std::unique_ptr<Process> killed;
  ASSERT_NE(OpenLauncher(pack, killed), nullptr);
  killed->Kill();
  ASSERT_FALSE(killed->Running());

  std::unique_ptr<Process> next;
  HWND window = OpenLauncher(pack, next);
  ASSERT_NE(window, nullptr);
  e2e::PressEscape(window);
  EXPECT_EQ(next->WaitForExit(), std::optional<DWORD>(0));
}

// The installer gets the launcher's full path, unquoted, even with a blank or Japanese characters
// in it; each program starts in the pack folder.
TEST_F(Launcher, CommandButtonsStartTheProgramsBesideTheLauncher) {
  for (const char16_t* folder_name : {u"pack", u"ゲーム パック"}) {
    PackFolder pack(folder_name);
    ASSERT_TRUE(pack.CopyIn(e2e::RecorderPath(), u"viewer.exe"));
    e2e::HtmlViewerAssociation viewer(pack.File(u"viewer.exe"));
    ASSERT_TRUE(viewer.Registered());
    // One title installed and listed, so that install and uninstall are both enabled.
    ASSERT_TRUE(registry_.Install(0, pack.Path()));
    ASSERT_TRUE(registry_.SetPackageList(e2e::kTrellTitles[0].id));
    std::unique_ptr<Process> launcher;
    HWND window = OpenLauncher(pack, launcher);
    ASSERT_NE(window, nullptr);

    ASSERT_TRUE(e2e::Eventually([&] {
      return IsWindowEnabled(GetDlgItem(window, IDC_INSTALL)) &&
             IsWindowEnabled(GetDlgItem(window, IDC_UNINSTALL));
    }));
    e2e::Click(window, IDC_INSTALL);
    const auto installer = e2e::WaitForRecording(pack.File(u"inst.exe"));
    ASSERT_TRUE(installer.has_value()) << "the installer did not start";
    const std::u16string parameters = u" " + pack.LauncherPath();
    ASSERT_GE(installer->command_line.size(), parameters.size());
    EXPECT_EQ(installer->command_line.substr(installer->command_line.size() - parameters.size()),
              parameters);
    EXPECT_EQ(installer->working_directory, pack.Path());

    e2e::Click(window, IDC_UNINSTALL);
    const auto uninstaller = e2e::WaitForRecording(pack.File(u"uninst.exe"));
    ASSERT_TRUE(uninstaller.has_value()) << "the uninstaller did not start";
    EXPECT_EQ(uninstaller->command_line.find(pack.LauncherPath()), std::u16string::npos);
    EXPECT_EQ(uninstaller->working_directory, pack.Path());

    e2e::Click(window, IDC_README);
    const auto readme = e2e::WaitForRecording(pack.File(u"viewer.exe"));
    ASSERT_TRUE(readme.has_value()) << "the README was not opened";
    EXPECT_NE(readme->command_line.find(pack.File(u"readme.htm")), std::u16string::npos);
    EXPECT_EQ(readme->working_directory, pack.Path());

    EXPECT_TRUE(launcher->Running());
    e2e::PressEscape(window);
    EXPECT_EQ(launcher->WaitForExit(), std::optional<DWORD>(0));
  }
}

TEST_F(Launcher, MissingCompanionsChangeNothingVisible) {
  PackFolder pack(u"bare pack", /*with_companions=*/false);
  ASSERT_TRUE(registry_.Install(0, pack.Path()));
  ASSERT_TRUE(registry_.SetPackageList(e2e::kTrellTitles[0].id));
  std::unique_ptr<Process> launcher;
  HWND window = OpenLauncher(pack, launcher);
  ASSERT_NE(window, nullptr);

  for (int id : {IDC_INSTALL, IDC_UNINSTALL, IDC_README}) e2e::Click(window, id);
  EXPECT_TRUE(launcher->Running());
  EXPECT_EQ(e2e::WindowsOf(launcher->Id()), std::vector<HWND>{window});
  e2e::PressEscape(window);
  EXPECT_EQ(launcher->WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
