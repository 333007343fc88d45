#pragma once
#include "platform/win32_api.h"
#include "textlib/tu_text.h"
// The pack's list of installed titles: HKLM "Software\Delvarin\morvex" "installed_package_list",
// title ids joined by ",".
bool PackageListContains(const exlib::Tu_text& title_id);     // read, Split at ",", exact compare
void AppendToPackageList(const exlib::Tu_text& title_id);     // read, append "," if non-empty, id, write; result ignored
bool RemoveFromPackageList(const exlib::Tu_text& title_id);   // the rebuild rule of UnregisterPackage steps 4-8
// Writes a title's entry lines name=value under root\key_path with %dir%, %src%, %drive%
// substituted; stops at the first failed write (false).
bool WriteRegistrationEntries(HKEY root, const exlib::Tu_text& key_path, const char* const* entries,
                              exlib::Tu_text dir, exlib::Tu_text src);
// Deletes (RegDeleteValueAndPrune) every entry's value; false when any deletion failed.
bool DeleteRegistrationEntries(HKEY root, const exlib::Tu_text& key_path, const char* const* entries);
