#include "platform/win/tooltips.h"

#include <commctrl.h>

namespace winui {

ToolTips::ToolTips(HWND dialog)
    : dialog_(dialog),
      window_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog,
                              nullptr, GetModuleHandleW(nullptr), nullptr)) {}

void ToolTips::Add(HWND control, const char16_t* text) const {
  if (window_ == nullptr || control == nullptr)
    return;
  TOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.lpszText = const_cast<LPWSTR>(ToWin(text));  // copied by the control

  // An enabled control gets the pointer's messages itself.
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = dialog_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

  // Over a disabled control they go to the dialog, so the control's area there is a tool too.
  tool.uFlags = TTF_SUBCLASS;
  tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  GetWindowRect(control, &tool.rect);
  MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&tool.rect), 2);
  SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace winui
