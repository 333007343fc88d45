#pragma once
// Tooltips for a dialog's controls. The tooltip window belongs to the dialog and goes with it;
// this object only creates it and adds tools.
#include "platform/win32_api.h"

namespace winui {

class ToolTips {
 public:
  explicit ToolTips(HWND dialog);

  // `text` shows while the pointer rests on the control, whether it is enabled or not.
  void Add(HWND control, const char16_t* text) const;
  // Null when it could not be created; adding then does nothing.
  HWND Handle() const { return window_; }

 private:
  HWND dialog_;
  HWND window_;
};

}  // namespace winui
