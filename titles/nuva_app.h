#pragma once
// A title of the Nuva brand (its key and marker value: kNuvaKeys, contract/pack_contract.h),
// installed while the marker holds the install folder, where the executable lies.
#include "titles/app_base.h"

class NuvaApp : public AppBase {
 public:
  NuvaApp(int32_t button_id, int32_t image_id, const char* const* registration_entries,
          uint64_t disk_size, exlib::Tu_text long_name, exlib::Tu_text short_name,
          exlib::Tu_text title_id, exlib::Tu_text key_suffix, exlib::Tu_text executable_name);

  bool IsInstalled() const override;
  exlib::Tu_text GetExecutablePath() const override;

  const exlib::Tu_text KeySuffix;
  const exlib::Tu_text ExecutableName;
};
