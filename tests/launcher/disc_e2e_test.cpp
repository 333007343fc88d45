// The released TRELL disc played from a CD-ROM drive: the launcher, the disc's installer and
// uninstaller and the title they install, each started from the drive as a player would.
// script/lib/check-release.sh lays the disc image out behind a drive of type cdrom and names the
// pack folders on it in PACK_DISC_FOLDERS (separated by "|"); it also checks that nothing on the
// drive changed. The installed title's program is copied to PACK_DISC_INSTALLED_COPY, where the
// script checks its signature.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "contract/pack_contract.h"
#include "tests/launcher/e2e/button_states.h"
#include "tests/launcher/e2e/demo_pack.h"
#include "tests/launcher/e2e/harness.h"
#include "tests/launcher/e2e/title_registry.h"
// After the Windows headers, which it needs.
#include <winternl.h>

namespace {

using e2e::kTrellTitles;

constexpr int kDravel2 = 1;
const DWORD kStepPatience = e2e::Stretched(60000);

std::u16string Environment(const char16_t* name) {
  char16_t buffer[1024];
  const DWORD length = GetEnvironmentVariableW(ToWin(name), ToWin(buffer), 1024);
  return length > 0 && length < 1024 ? std::u16string(buffer, length) : std::u16string();
}

std::vector<std::u16string> DiscFolders() {
  std::vector<std::u16string> folders;
  const std::u16string list = Environment(u"PACK_DISC_FOLDERS");
  size_t start = 0;
  while (start < list.size()) {
    const size_t end = std::min(list.find(u'|', start), list.size());
    folders.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

// The command line that a process of the same architecture was started with, read from its
// process parameters.
std::u16string CommandLineOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  if (process == nullptr)
    return std::u16string();
  using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  std::u16string command_line;
  PROCESS_BASIC_INFORMATION basic{};
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  if (query != nullptr &&
      query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) >= 0 &&
      ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof(peb), nullptr) &&
      ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof(parameters), nullptr)) {
    command_line.resize(parameters.CommandLine.Length / sizeof(char16_t));
    if (!ReadProcessMemory(process, parameters.CommandLine.Buffer, &command_line[0],
                           parameters.CommandLine.Length, nullptr)) {
      command_line.clear();
    }
  }
  CloseHandle(process);
  return command_line;
}

std::u16string TitleFolder(const char16_t* id) {
  return e2e::DemoInstallRoot() + u"\\" + id;
}

class DiscPlay : public testing::TestWithParam<std::u16string> {
 protected:
  std::u16string OnDisc(const char16_t* name) const { return GetParam() + u"\\" + name; }

  e2e::TitleRegistry registry_;
  e2e::DemoFolderGuard folders_;
  e2e::ScopedEnvironmentVariable install_options_{u"PACK_DEMO_INST_OPTIONS",
                                                  u"/TITLES=trell_dravel2"};
  e2e::ScopedEnvironmentVariable uninstall_options_{u"PACK_DEMO_UNINST_OPTIONS",
                                                    u"/S /TITLES=trell_dravel2"};
};

TEST(DiscDrive, IsACdRomDrive) {
  const std::vector<std::u16string> folders = DiscFolders();
  ASSERT_FALSE(folders.empty()) << "PACK_DISC_FOLDERS names no folder";
  for (const std::u16string& folder : folders) {
    ASSERT_GE(folder.size(), 2u);
    const std::u16string root = folder.substr(0, 2) + u"\\";
    EXPECT_EQ(GetDriveTypeW(ToWin(root.c_str())), static_cast<UINT>(DRIVE_CDROM))
        << "drive " << testing::PrintToString(root);
    EXPECT_TRUE(e2e::FileExists(folder + u"\\setup.exe"));
  }
}

TEST_P(DiscPlay, InstallStartAndUninstallFromTheDisc) {
  const std::u16string launcher_path = OnDisc(u"setup.exe");
  auto launcher = e2e::Process::Start(launcher_path, e2e::TempFolderPath());
  ASSERT_NE(launcher, nullptr) << "setup.exe did not start from the disc";
  HWND window = e2e::WaitForDialog(launcher->Id(), e2e::kLauncherCaption, kStepPatience);
  ASSERT_NE(window, nullptr) << "the launcher's window did not show";
  ASSERT_EQ(e2e::StatesOnceSettled(window, "0000000 10", kStepPatience), "0000000 10");

  e2e::Click(window, e2e::kInstallButton);
  auto installer = e2e::ForeignProcess::WaitForDialogOf(OnDisc(u"inst.exe"), kStepPatience);
  ASSERT_TRUE(installer.has_value()) << "the disc's inst.exe did not show its window";
  const std::u16string command_line = CommandLineOf(installer->Dialog());
  ASSERT_GE(command_line.size(), launcher_path.size());
  EXPECT_EQ(command_line.substr(command_line.size() - launcher_path.size()), launcher_path)
      << "the installer's command line ends with the launcher's path on the disc";

  e2e::Click(installer->Dialog(), e2e::kWizardNext);
  EXPECT_EQ(installer->WaitForExit(kStepPatience), std::optional<DWORD>(0));
  EXPECT_EQ(e2e::StatesOnceSettled(window, "0100000 11", kStepPatience), "0100000 11");

  const std::u16string installed =
      TitleFolder(kTrellTitles[kDravel2].id) + u"\\" + kTrellTitles[kDravel2].executable;
  {
    SCOPED_TRACE("the title starts from its install folder");
    e2e::Click(window, kTrellTitles[kDravel2].button);
    const auto title = e2e::WaitForDemoTitle(kStepPatience);
    ASSERT_TRUE(title.has_value()) << "the demo title did not start";
    EXPECT_EQ(title->program, installed);
    EXPECT_EQ(title->working_directory, TitleFolder(kTrellTitles[kDravel2].id));
    e2e::CloseDemoTitles();
  }
  const std::u16string copy = Environment(u"PACK_DISC_INSTALLED_COPY");
  if (!copy.empty()) {
    EXPECT_TRUE(CopyFileW(ToWin(installed.c_str()), ToWin(copy.c_str()), FALSE))
        << "the installed title could not be kept for its signature check";
  }

  e2e::Click(window, e2e::kUninstallButton);
  EXPECT_EQ(e2e::StatesOnceSettled(window, "0000000 10", kStepPatience), "0000000 10");
  EXPECT_TRUE(
      e2e::Eventually([] { return !e2e::MutexExists(kUninstallerMutexName); }, kStepPatience))
      << "the uninstaller did not end";
  EXPECT_FALSE(e2e::FileExists(TitleFolder(kTrellTitles[kDravel2].id)));
  EXPECT_EQ(e2e::DemoFolderGuard::CurrentFolders(), folders_.FoldersBefore());

  e2e::PressEscape(window);
  EXPECT_EQ(launcher->WaitForExit(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Folders, DiscPlay, testing::ValuesIn(DiscFolders()));

}  // namespace
