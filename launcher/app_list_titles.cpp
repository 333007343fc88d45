#include "launcher/app_list_titles.h"

#include "titles/app_list.h"

uint32_t AppListTitles::Count() const {
  return GetAppList()->Count();
}

int AppListTitles::ButtonId(uint32_t index) const {
  return GetAppList()->GetAt(index)->ButtonId;
}

bool AppListTitles::IsInstalled(uint32_t index) const {
  return GetAppList()->GetAt(index)->IsInstalled();
}

bool AppListTitles::IsInPackageList(uint32_t index) const {
  return GetAppList()->GetAt(index)->IsInPackageList();
}

bool AppListTitles::Launch(uint32_t index) const {
  return GetAppList()->GetAt(index)->LaunchTitle();
}
