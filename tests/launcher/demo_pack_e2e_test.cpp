// The demo pack end to end: the launcher with the real installer, uninstaller, registration tool
// and demo title, against the real registry and file system.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "contract/pack_contract.h"
#include "tests/launcher/e2e/button_states.h"
#include "tests/launcher/e2e/demo_pack.h"
#include "tests/launcher/e2e/harness.h"
#include "tests/launcher/e2e/title_registry.h"

namespace {

using e2e::kTrellTitles;

constexpr int kDravel2 = 1;
constexpr int kDravel5 = 4;
// Installing runs packreg.exe once per title and once per choice, each a new Wine process.
const DWORD kInstallPatience = e2e::Stretched(60000);

std::string StatesOnceSettled(HWND window, const std::string& expected) {
  return e2e::StatesOnceSettled(window, expected, kInstallPatience);
}

std::u16string TitleFolder(const char16_t* id) {
  return e2e::DemoInstallRoot() + u"\\" + id;
}

std::string Utf8(const std::u16string& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, ToWin(text.c_str()),
                                       static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, ToWin(text.c_str()), static_cast<int>(text.size()), &bytes[0],
                      size, nullptr, nullptr);
  return bytes;
}

std::optional<std::u16string> RegistryText(HKEY root, const std::u16string& key,
                                           const char16_t* name) {
  char16_t buffer[2048];
  DWORD size = sizeof(buffer);
  if (RegGetValueW(root, ToWin(key.c_str()), ToWin(name), RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::u16string(buffer);
}

std::u16string TrellKey(int title) {
  return std::u16string(kTrellKeys.key_prefix) + kTrellTitles[title].key;
}

class DemoPack : public testing::Test {
 protected:
  DemoPack() {
    pack_.CopyIn(e2e::BuiltInstallerPath(), u"inst.exe");
    pack_.CopyIn(e2e::BuiltUninstallerPath(), u"uninst.exe");
  }
  ~DemoPack() override { e2e::CloseDemoTitles(); }

  e2e::TitleRegistry registry_;
  e2e::DemoFolderGuard folders_;
  e2e::PackFolder pack_{u"demo pack", false};
  // Not the demo root: a folder the registry may name but the uninstaller must not touch.
  e2e::ScratchFolder elsewhere_{u"elsewhere"};
  // The launcher passes the installer its own path only; these choose what the test installs.
  e2e::ScopedEnvironmentVariable install_options_{u"PACK_DEMO_INST_OPTIONS",
                                                  u"/TITLES=trell_dravel2,trell_dravel5"};
  e2e::ScopedEnvironmentVariable uninstall_options_{u"PACK_DEMO_UNINST_OPTIONS",
                                                    u"/S /TITLES=trell_dravel5"};
};

// A launcher already open keeps a second one out by its own guard first; with none open, the
// installer's guard shows the related-program dialog.
TEST_F(DemoPack, TheInstallerKeepsLaunchersOut) {
  std::unique_ptr<e2e::Process> launcher;
  HWND window = e2e::OpenLauncher(pack_, launcher);
  ASSERT_NE(window, nullptr);
  e2e::Click(window, e2e::kInstallButton);
  auto installer = e2e::ForeignProcess::WaitForDialogOf(pack_.File(u"inst.exe"), kInstallPatience);
  ASSERT_TRUE(installer.has_value()) << "the installer's window did not show";
  EXPECT_TRUE(e2e::MutexExists(kInstallerMutexName));

  auto second = e2e::StartLauncher(pack_);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->WaitForExit(kInstallPatience), std::optional<DWORD>(0));
  e2e::PressEscape(window);
  EXPECT_EQ(launcher->WaitForExit(), std::optional<DWORD>(0));

  auto third = e2e::StartLauncher(pack_);
  ASSERT_NE(third, nullptr);
  HWND related = e2e::WaitForDialog(third->Id(), u"error", kInstallPatience);
  ASSERT_NE(related, nullptr) << "dialog 170 did not show";
  e2e::Click(related, IDOK);
  EXPECT_EQ(third->WaitForExit(), std::optional<DWORD>(0));

  e2e::Click(installer->Dialog(), IDCANCEL);
  EXPECT_EQ(installer->WaitForExit(kInstallPatience), std::optional<DWORD>(1)) << "cancelled";
  EXPECT_FALSE(e2e::MutexExists(kInstallerMutexName));
  EXPECT_EQ(e2e::DemoFolderGuard::CurrentFolders(), folders_.FoldersBefore());
}

TEST_F(DemoPack, InstallStartAndUninstallThroughTheLauncher) {
  std::unique_ptr<e2e::Process> launcher;
  HWND window = e2e::OpenLauncher(pack_, launcher);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(StatesOnceSettled(window, "0000000 10"), "0000000 10");

  // The installer shows its components page with the two titles chosen.
  e2e::Click(window, e2e::kInstallButton);
  auto installer = e2e::ForeignProcess::WaitForDialogOf(pack_.File(u"inst.exe"), kInstallPatience);
  ASSERT_TRUE(installer.has_value()) << "the installer's window did not show";

  e2e::Click(installer->Dialog(), e2e::kWizardNext);
  EXPECT_EQ(installer->WaitForExit(kInstallPatience), std::optional<DWORD>(0));
  EXPECT_FALSE(e2e::MutexExists(kInstallerMutexName));
  EXPECT_EQ(StatesOnceSettled(window, "0100100 11"), "0100100 11");

  {
    SCOPED_TRACE("a click starts the title in its folder");
    e2e::Click(window, kTrellTitles[kDravel2].button);
    const auto title = e2e::WaitForDemoTitle(kInstallPatience);
    ASSERT_TRUE(title.has_value()) << "the demo title did not start";
    EXPECT_EQ(title->program,
              TitleFolder(kTrellTitles[kDravel2].id) + u"\\" + kTrellTitles[kDravel2].executable);
    EXPECT_EQ(title->working_directory, TitleFolder(kTrellTitles[kDravel2].id));
    e2e::CloseDemoTitles();
  }

  // The uninstaller must go by the demo root and the title id, not by where the registry says the
  // title lies.
  ASSERT_TRUE(e2e::FileExists(TitleFolder(kTrellTitles[kDravel5].id)));
  ASSERT_TRUE(elsewhere_.WriteText(u"keep.txt", "not the uninstaller's\n"));
  ASSERT_EQ(
      RegSetKeyValueW(kTrellKeys.Root(), ToWin(TrellKey(kDravel5).c_str()),
                      ToWin(kTrellKeys.marker_value), REG_SZ, (elsewhere_.Path() + u"\\").c_str(),
                      static_cast<DWORD>((elsewhere_.Path().size() + 2) * sizeof(char16_t))),
      ERROR_SUCCESS);

  e2e::Click(window, e2e::kUninstallButton);
  EXPECT_EQ(StatesOnceSettled(window, "0100000 11"), "0100000 11");
  EXPECT_TRUE(
      e2e::Eventually([] { return !e2e::MutexExists(kUninstallerMutexName); }, kInstallPatience))
      << "the uninstaller did not end";
  EXPECT_FALSE(e2e::FileExists(TitleFolder(kTrellTitles[kDravel5].id)));
  EXPECT_TRUE(e2e::FileExists(elsewhere_.File(u"keep.txt")));
  EXPECT_TRUE(e2e::FileExists(TitleFolder(kTrellTitles[kDravel2].id) + u"\\" +
                              kTrellTitles[kDravel2].executable));

  {
    SCOPED_TRACE("the registry holds what packreg.exe reports");
    EXPECT_EQ(RegistryText(PackageListRoot(), kPackageListKey, kPackageListValue),
              std::optional<std::u16string>(u"trell_dravel2"));
    EXPECT_EQ(RegistryText(kTrellKeys.Root(), TrellKey(kDravel5), kTrellKeys.marker_value),
              std::nullopt);
    EXPECT_EQ(RegistryText(kTrellKeys.Root(), TrellKey(kDravel2), kTrellKeys.marker_value),
              std::optional<std::u16string>(TitleFolder(kTrellTitles[kDravel2].id) + u"\\"));

    const auto report = e2e::RunToEnd(e2e::BuiltRegistrationToolPath(), u"list --json", 30000);
    ASSERT_TRUE(report.has_value());
    ASSERT_EQ(report->exit_code, 0u);
    const nlohmann::json titles = nlohmann::json::parse(report->output, nullptr, false);
    ASSERT_TRUE(titles.is_array()) << report->output;
    int reported_trell = 0;
    for (const auto& title : titles) {
      const std::string id = title.at("id").get<std::string>();
      const bool is_dravel2 = id == "trell_dravel2";
      EXPECT_EQ(title.at("in_package_list").get<bool>(), is_dravel2) << id;
      if (id.rfind("trell_", 0) != 0)
        continue;
      ++reported_trell;
      EXPECT_EQ(title.at("installed").get<bool>(), is_dravel2) << id;
      if (is_dravel2) {
        EXPECT_EQ(title.at("executable"), Utf8(TitleFolder(kTrellTitles[kDravel2].id) + u"\\" +
                                               kTrellTitles[kDravel2].executable));
      } else {
        EXPECT_TRUE(title.at("executable").is_null()) << id;
      }
    }
    EXPECT_EQ(reported_trell, 7);
  }

  std::vector<std::u16string> expected_folders = folders_.FoldersBefore();
  expected_folders.push_back(kTrellTitles[kDravel2].id);
  std::sort(expected_folders.begin(), expected_folders.end());
  EXPECT_EQ(e2e::DemoFolderGuard::CurrentFolders(), expected_folders)
      << "only the installed title's folder is new below the demo root";

  e2e::PressEscape(window);
  EXPECT_EQ(launcher->WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
