#pragma once
// What the launcher window's four command buttons open. Each drops the shell's answer: a file
// missing beside the launcher shows nothing of ours.
#include <optional>

#include "textlib/tu_text.h"

// The vendor's website, a fixed address.
inline constexpr char16_t kWebsiteUrl[] = u"https://www.example.com/valden/";

// The file of that name in the launcher's folder; nothing when the launcher's path is empty
// (it could not be read whole), so that no file is looked for in some other folder.
std::optional<exlib::Tu_text> FileBesideLauncher(const exlib::Tu_text& launcher_path,
                                                 const char* file_name);

// The first three open nothing when the launcher's own path cannot be read whole.
// "inst.exe" beside the launcher, given the launcher's own full path, unquoted, as parameters.
void OpenInstaller();
// "uninst.exe" beside the launcher, with an empty parameter string.
void OpenUninstaller();
// "readme.htm" beside the launcher, with an empty parameter string.
void OpenReadme();
void OpenWebsite();
