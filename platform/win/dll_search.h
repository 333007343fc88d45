#pragma once

namespace winui {

// Limits the DLL search of every later load by name to the system folder, for the whole process:
// a program run from a download folder must not pick up a DLL planted beside it.
void RestrictDllSearchToSystemFolder();

}  // namespace winui
