#pragma once
// What the launcher window's four command buttons open. Each drops the shell's answer: a file
// missing beside the launcher shows nothing of ours.

// The vendor's website, a fixed address.
inline constexpr char16_t kWebsiteUrl[] = u"https://www.example.com/valden/";

// "inst.exe" beside the launcher, given the launcher's own full path, unquoted, as parameters.
void OpenInstaller();
// "uninst.exe" beside the launcher, with an empty parameter string.
void OpenUninstaller();
// "readme.htm" beside the launcher, with an empty parameter string.
void OpenReadme();
void OpenWebsite();
