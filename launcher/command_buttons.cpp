#include "launcher/command_buttons.h"

#include "launcher/shell_open.h"
#include "textlib/paths.h"

namespace {

// No normalisation: the launcher's folder ends with its backslash already.
exlib::Tu_text BesideLauncher(const char* file_name) {
  return exlib::ModuleDirectory().Concat(file_name);
}

}  // namespace

void OpenInstaller() {
  ShellOpenFile(BesideLauncher("inst.exe"), exlib::ModulePath());
}

void OpenUninstaller() {
  ShellOpenFile(BesideLauncher("uninst.exe"));
}

void OpenReadme() {
  ShellOpenFile(BesideLauncher("readme.htm"));
}

void OpenWebsite() {
  ShellOpenTarget(exlib::Tu_text(kWebsiteUrl));
}
