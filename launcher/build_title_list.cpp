#include "launcher/build_title_list.h"

#include "titles/app_list.h"

uint32_t BuildTitleList::Count() const {
  return GetAppList()->Count();
}

int BuildTitleList::ButtonId(uint32_t index) const {
  return GetAppList()->GetAt(index)->ButtonId;
}

bool BuildTitleList::IsInstalled(uint32_t index) const {
  return GetAppList()->GetAt(index)->IsInstalled();
}

bool BuildTitleList::IsInPackageList(uint32_t index) const {
  return GetAppList()->GetAt(index)->IsInPackageList();
}

bool BuildTitleList::Launch(uint32_t index) const {
  return GetAppList()->GetAt(index)->LaunchTitle();
}
