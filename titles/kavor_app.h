#pragma once
// A title of the KAVOR brand (its key and marker value: kKavorKeys, contract/pack_contract.h),
// installed while the marker holds the executable's path; its user data roams.
#include "titles/app_base.h"

class KavorApp : public AppBase {
 public:
  KavorApp(int32_t button_id, int32_t image_id, const char* const* registration_entries,
           uint64_t disk_size, exlib::Tu_text long_name, exlib::Tu_text short_name,
           exlib::Tu_text title_id, exlib::Tu_text key_suffix, exlib::Tu_text data_folder_name);

  bool IsInstalled() const override;
  exlib::Tu_text GetExecutablePath() const override;
  exlib::Tu_text GetUserDataDirectory() const override;
  bool IsKavorTitle() const override { return true; }

  const exlib::Tu_text KeySuffix;
  // The title's folder below the maker's folder in the roaming application data.
  const exlib::Tu_text DataFolderName;
};
