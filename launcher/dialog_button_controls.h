#pragma once
// The title buttons' decisions acting on the launcher window's controls.
#include <utility>
#include <vector>

#include "launcher/title_buttons.h"
#include "platform/win32_api.h"

class DialogButtonControls : public ButtonControls {
 public:
  explicit DialogButtonControls(HWND dialog) : dialog_(dialog) {}

  // Every refresh sets every state; only a change reaches the window system, so that a tick
  // costs little beyond its registry reads.
  void Enable(int control_id, bool enabled) override {
    HWND control = Control(control_id);
    if ((IsWindowEnabled(control) != FALSE) != enabled)
      EnableWindow(control, enabled ? TRUE : FALSE);
  }

 private:
  // The dialog's controls live as long as it does: each is looked up once.
  HWND Control(int control_id) {
    for (const auto& known : controls_) {
      if (known.first == control_id)
        return known.second;
    }
    HWND found = GetDlgItem(dialog_, control_id);
    controls_.emplace_back(control_id, found);
    return found;
  }

  HWND dialog_;
  std::vector<std::pair<int, HWND>> controls_;
};
