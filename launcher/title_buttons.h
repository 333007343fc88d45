#pragma once
// The title buttons' decisions: which buttons are enabled and which title a command starts. They
// are written over the build's titles and the window's controls, each behind a small interface.
#include <cstdint>

#include "platform/win32_api.h"

// The build's titles in button order, as the window asks about them.
class TitleList {
 public:
  virtual ~TitleList() = default;
  virtual uint32_t Count() const = 0;
  virtual int ButtonId(uint32_t index) const = 0;
  virtual bool IsInstalled(uint32_t index) const = 0;
  virtual bool IsInPackageList(uint32_t index) const = 0;
  // False when the title could not be started.
  virtual bool Launch(uint32_t index) const = 0;
};

class ButtonControls {
 public:
  virtual ~ButtonControls() = default;
  virtual void Enable(int control_id, bool enabled) = 0;
};

// A title's button is enabled exactly while the title is installed; install while any title is
// missing; uninstall while any installed title is in the package list. The package list is asked
// about installed titles only, and both command buttons are written every time.
void RefreshButtons(const TitleList& titles, ButtonControls& controls);

// A click on a title's button starts that title, installed or not: a disabled button sends no
// click. True when a title was started; a title that fails to start leaves the command to the
// window's other handlers.
bool LaunchTitleForCommand(const TitleList& titles, unsigned notification, int command_id);
