#include "launcher/command_buttons.h"

#include "launcher/shell_open.h"
#include "textlib/paths.h"

// No normalisation: the launcher's folder ends with its backslash already.
std::optional<exlib::Tu_text> FileBesideLauncher(const exlib::Tu_text& launcher_path,
                                                 const char* file_name) {
  if (launcher_path.Length() == 0)
    return std::nullopt;
  return exlib::ParentDirectory(launcher_path).Concat(file_name);
}

void OpenInstaller() {
  const exlib::Tu_text launcher = exlib::ModulePath();
  if (const auto installer = FileBesideLauncher(launcher, "inst.exe"))
    ShellOpenFile(*installer, launcher);
}

void OpenUninstaller() {
  if (const auto uninstaller = FileBesideLauncher(exlib::ModulePath(), "uninst.exe"))
    ShellOpenFile(*uninstaller);
}

void OpenReadme() {
  if (const auto readme = FileBesideLauncher(exlib::ModulePath(), "readme.htm"))
    ShellOpenFile(*readme);
}

void OpenWebsite() {
  ShellOpenTarget(exlib::Tu_text(kWebsiteUrl));
}
