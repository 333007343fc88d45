#pragma once
// The names that the pack's programs share with one another and with the titles' own installers:
// the launcher, packreg, the demo installers and the titles read and write exactly these keys,
// values and mutexes, so their text never changes. installer/pack.nsh and the README's exit-code
// table are copies for makensis and for readers; tests/contract/contract_copies_test.cpp keeps
// them equal to this header.
#include "platform/win32_api.h"

// The pack's list of installed titles: their ids joined by ",", one text value.
inline constexpr char16_t kPackageListKey[] = u"Software\\Delvarin\\morvex";
inline constexpr char16_t kPackageListValue[] = u"installed_package_list";
inline HKEY PackageListRoot() {
  return HKEY_LOCAL_MACHINE;
}

// Where a brand's titles live: each title's key is the prefix and the title's own suffix, and
// the title counts as installed while its marker value is there.
struct BrandKeys {
  bool per_machine;  // HKEY_LOCAL_MACHINE, otherwise HKEY_CURRENT_USER
  const char16_t* key_prefix;
  const char16_t* marker_value;

  HKEY Root() const { return per_machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
};
// The marker holds the executable's path.
inline constexpr BrandKeys kKavorKeys{true, u"Software\\Delvarin\\QRV.", u"ExecuteProgram"};
// The markers hold the install folder, where the executable lies.
inline constexpr BrandKeys kNuvaKeys{false, u"Software\\Nuva\\", u"install_path"};
inline constexpr BrandKeys kTrellKeys{false, u"Software\\Trell\\", u"INSTALL_PATH"};

// Each of the pack's programs holds its own named mutex while it runs; the launcher refuses to
// start beside another launcher, the installer or the uninstaller.
inline constexpr char16_t kLauncherMutexName[] =
    u"morvex.E8DBEBED-4ED7-4A60-888F-320F91D34B7F.setup";
inline constexpr char16_t kInstallerMutexName[] =
    u"morvex.E8DBEBED-4ED7-4A60-888F-320F91D34B7F.inst";
inline constexpr char16_t kUninstallerMutexName[] =
    u"morvex.E8DBEBED-4ED7-4A60-888F-320F91D34B7F.uninst";

namespace packreg {

// What an installer script learns from packreg's exit code.
enum ExitCode : int {
  kSuccess = 0,
  kNotInstalled = 1,
  kBadArguments = 2,
  kUnknownTitle = 3,
  kWriteRefused = 4,
  kOtherFailure = 5,
};

struct ExitCodeMeaning {
  ExitCode code;
  const char* meaning;
};
// In code order; packreg's help prints them as they are.
inline constexpr ExitCodeMeaning kExitCodeMeanings[] = {
    {kSuccess, "success; for status: the title is installed"},
    {kNotInstalled, "status: the title is not installed"},
    {kBadArguments, "bad arguments (nothing was changed)"},
    {kUnknownTitle, "unknown title id (nothing was changed)"},
    {kWriteRefused, "the registry refused or failed a write"},
    {kOtherFailure, "the registry could not be read, or another failure"},
};

}  // namespace packreg
