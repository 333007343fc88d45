#pragma once
// One control of a dialog, by its id. It borrows the control's window: the dialog owns it.
#include "platform/win32_api.h"

namespace winui {

class DialogItem {
 public:
  DialogItem(HWND dialog, int id) : window_(GetDlgItem(dialog, id)) {}

  HWND Handle() const { return window_; }
  void Enable(bool enabled) const { EnableWindow(window_, enabled ? TRUE : FALSE); }
  void SetBitmap(HBITMAP bitmap) const {
    SendMessageW(window_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  }
  void SetText(const char16_t* text) const { SetWindowTextW(window_, ToWin(text)); }

 private:
  HWND window_;
};

}  // namespace winui
