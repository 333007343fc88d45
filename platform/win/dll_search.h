#pragma once

namespace winui {

// Limits the DLL search of every later load by name to the system folder, for the whole process:
// a program run from a download folder must not pick up a DLL planted beside it. Where the system
// lacks SetDefaultDllDirectories (Windows 7 without its update), only the current folder is taken
// out of the search.
void RestrictDllSearchToSystemFolder();

}  // namespace winui
