#include "launcher/title_buttons.h"

#include "resources/resource.h"

void RefreshButtons(const TitleList& titles, ButtonControls& controls) {
  bool any_missing = false;
  bool any_listed = false;
  for (uint32_t i = 0; i < titles.Count(); ++i) {
    const bool installed = titles.IsInstalled(i);
    controls.Enable(titles.ButtonId(i), installed);
    if (!installed) {
      any_missing = true;
    } else if (titles.IsInPackageList(i)) {
      any_listed = true;
    }
  }
  controls.Enable(IDC_INSTALL, any_missing);
  controls.Enable(IDC_UNINSTALL, any_listed);
}

bool LaunchTitleForCommand(const TitleList& titles, unsigned notification, int command_id) {
  if (notification != BN_CLICKED)
    return false;
  for (uint32_t i = 0; i < titles.Count(); ++i) {
    if (titles.ButtonId(i) == command_id && titles.Launch(i))
      return true;
  }
  return false;
}
