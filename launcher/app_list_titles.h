#pragma once
// This build's title list as the window's decisions see it. Every question asks the list afresh,
// and every answer about installation reads the registry anew.
#include "launcher/title_buttons.h"

class AppListTitles : public TitleList {
 public:
  uint32_t Count() const override;
  int ButtonId(uint32_t index) const override;
  bool IsInstalled(uint32_t index) const override;
  bool IsInPackageList(uint32_t index) const override;
  bool Launch(uint32_t index) const override;
};
