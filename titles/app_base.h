#pragma once
// What every brand's title record shares: the title's own registry key, its registration entries,
// the package-list operations and the launch.
#include "platform/win32_api.h"
#include "titles/app_info.h"

class AppBase : public AppInfo {
 public:
  exlib::Tu_text GetUserDataDirectory() const override;
  bool RegisterPackage(exlib::Tu_text dir, exlib::Tu_text src) override;
  bool UnregisterPackage() override;

  // Whether the value exists under the title's key with a text type.
  bool HasValue(exlib::Tu_text value_name) const;
  // The value's text as stored; empty when the key or value is missing or not text.
  exlib::Tu_text ReadValue(exlib::Tu_text value_name) const;
  // Installed, and listed in the pack's package list.
  bool IsInPackageList() const;
  // Starts the title's executable through the shell; false when the shell refused.
  bool LaunchTitle() const;

  const HKEY RootKey;
  const exlib::Tu_text KeyPath;
  // name=value lines ending with a null entry; static data of the catalogue, not owned.
  const char* const* const RegistrationEntries;

 protected:
  AppBase(exlib::Tu_text long_name, exlib::Tu_text short_name, exlib::Tu_text title_id,
          int32_t button_id, int32_t image_id, HKEY root_key, exlib::Tu_text key_path,
          const char* const* registration_entries, uint64_t disk_size);
};
