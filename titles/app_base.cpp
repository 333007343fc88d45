#include "titles/app_base.h"

#include "launcher/shell_open.h"
#include "registry/package_list.h"
#include "registry/registration.h"
#include "registry/registry_access.h"
#include "textlib/paths.h"
#include "titles/user_folders.h"

AppBase::AppBase(exlib::Tu_text long_name, exlib::Tu_text short_name, exlib::Tu_text title_id,
                 int32_t button_id, int32_t image_id, HKEY root_key, exlib::Tu_text key_path,
                 const char* const* registration_entries, uint64_t disk_size)
    : AppInfo(long_name, short_name, title_id, button_id, image_id, disk_size),
      RootKey(root_key),
      KeyPath(key_path),
      RegistrationEntries(registration_entries) {}

bool AppBase::HasValue(exlib::Tu_text value_name) const {
  return RegHasTextValue(RootKey, KeyPath, value_name);
}

exlib::Tu_text AppBase::ReadValue(exlib::Tu_text value_name) const {
  return RegReadText(RootKey, KeyPath, value_name);
}

bool AppBase::LaunchTitle() const {
  return ShellOpenFile(GetExecutablePath());
}

// The folder where Windows keeps this user's redirected writes into the install folder. A title
// without an install path has none: joined below "VirtualStore" it would name the whole store.
exlib::Tu_text AppBase::GetUserDataDirectory() const {
  const exlib::Tu_text local_app_data = ShellFolderPath(CSIDL_LOCAL_APPDATA);
  if (local_app_data.Length() == 0)
    return exlib::Tu_text();
  const exlib::Tu_text install_path = ReadValue("install_path");
  if (install_path.Length() == 0)
    return exlib::Tu_text();
  const int32_t first_backslash = install_path.Find("\\", 0);
  const exlib::Tu_text without_drive =
      first_backslash >= 0 ? install_path.Mid(first_backslash) : install_path;
  return ExistingDirectoryOrEmpty(
      exlib::PathJoin(exlib::PathJoin(local_app_data, "VirtualStore"), without_drive));
}

bool AppBase::IsInPackageList() const {
  return IsInstalled() && PackageListContains(TitleId);
}

bool AppBase::RegisterPackage(exlib::Tu_text dir, exlib::Tu_text src) {
  if (!WriteRegistrationEntries(RootKey, KeyPath, RegistrationEntries, dir, src))
    return false;
  if (!IsInPackageList())
    AppendToPackageList(TitleId);
  return true;
}

bool AppBase::UnregisterPackage() {
  if (!IsInPackageList())
    return true;
  bool succeeded = DeleteRegistrationEntries(RootKey, KeyPath, RegistrationEntries);
  succeeded = RemoveFromPackageList(TitleId) && succeeded;
  return succeeded;
}
