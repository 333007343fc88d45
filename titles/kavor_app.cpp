#include "titles/kavor_app.h"

#include "contract/pack_contract.h"
#include "textlib/paths.h"
#include "titles/user_folders.h"

KavorApp::KavorApp(int32_t button_id, int32_t image_id, const char* const* registration_entries,
                   uint64_t disk_size, exlib::Tu_text long_name, exlib::Tu_text short_name,
                   exlib::Tu_text title_id, exlib::Tu_text key_suffix,
                   exlib::Tu_text data_folder_name)
    : AppBase(long_name, short_name, title_id, button_id, image_id, kKavorKeys.Root(),
              exlib::Tu_text(kKavorKeys.key_prefix) + key_suffix, registration_entries, disk_size),
      KeySuffix(key_suffix),
      DataFolderName(data_folder_name) {}

bool KavorApp::IsInstalled() const {
  return HasValue(kKavorKeys.marker_value);
}

exlib::Tu_text KavorApp::GetExecutablePath() const {
  return ReadValue(kKavorKeys.marker_value);
}

exlib::Tu_text KavorApp::GetUserDataDirectory() const {
  const exlib::Tu_text app_data = ShellFolderPath(CSIDL_APPDATA);
  if (app_data.Length() == 0)
    return exlib::Tu_text();
  return ExistingDirectoryOrEmpty(
      exlib::PathJoin(exlib::PathJoin(app_data, "Delvarin"), DataFolderName));
}
