#include "titles/user_folders.h"

#include "platform/shell_on_first_use.h"
#include "platform/win32_api.h"

exlib::Tu_text ShellFolderPath(int folder_id) {
  char16_t path[MAX_PATH] = {};
  if (SHGetFolderPathOnFirstUse(nullptr, folder_id, nullptr, SHGFP_TYPE_CURRENT, ToWin(path)) !=
      S_OK) {
    return exlib::Tu_text();
  }
  return exlib::Tu_text(path);
}

exlib::Tu_text ExistingDirectoryOrEmpty(exlib::Tu_text path) {
  const DWORD attributes = GetFileAttributesW(ToWin(path.Wide()));
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return exlib::Tu_text();
  }
  return path;
}
