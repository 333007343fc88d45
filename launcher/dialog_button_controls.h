#pragma once
// The title buttons' decisions acting on the launcher window's controls.
#include "launcher/title_buttons.h"
#include "platform/win/dialog_item.h"

class DialogButtonControls : public ButtonControls {
 public:
  explicit DialogButtonControls(HWND dialog) : dialog_(dialog) {}
  void Enable(int control_id, bool enabled) override {
    winui::DialogItem(dialog_, control_id).Enable(enabled);
  }

 private:
  HWND dialog_;
};
