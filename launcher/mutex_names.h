#pragma once
// The named mutexes of the pack's programs: each holds its own while it runs. Their names are
// the contract between the launcher, the installer and the uninstaller.

inline constexpr char16_t kLauncherMutexName[] =
    u"morvex.E8DBEBED-4ED7-4A60-888F-320F91D34B7F.setup";
inline constexpr char16_t kInstallerMutexName[] =
    u"morvex.E8DBEBED-4ED7-4A60-888F-320F91D34B7F.inst";
inline constexpr char16_t kUninstallerMutexName[] =
    u"morvex.E8DBEBED-4ED7-4A60-888F-320F91D34B7F.uninst";

// The programs the launcher must not run beside, in the order they are tested.
inline constexpr const char16_t* kRelatedMutexNames[] = {kInstallerMutexName,
                                                         kUninstallerMutexName};
