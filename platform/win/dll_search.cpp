#include "platform/win/dll_search.h"

#include "platform/function_in.h"
#include "platform/win32_api.h"

namespace winui {

void RestrictDllSearchToSystemFolder() {
  // Looked up rather than imported: Windows 7 has it only with an update, and an import it lacks
  // would stop the program from loading at all. kernel32 is always loaded, so nothing is searched.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto set_default_directories = FunctionIn<SetDefaultDllDirectoriesFunction>(
      GetModuleHandleW(ToWin(u"kernel32.dll")), "SetDefaultDllDirectories");
  if (set_default_directories != nullptr) {
    set_default_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  } else {
    // Without it, the current folder at least leaves the search; the program's own folder
    // cannot be taken out this way.
    SetDllDirectoryW(ToWin(u""));
  }
  SetSearchPathMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
}

}  // namespace winui
