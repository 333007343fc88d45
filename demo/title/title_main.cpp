// The demo pack's stand-in for a game: a window that says which program the launcher started and
// in which working directory, so that a player (or a test) can see both at a glance.
#include <string>

#include <windows.h>

#include "demo/title/title_window.h"
#include "platform/win_string.h"

namespace {

std::u16string OwnPath() {
  std::u16string buffer(32768, u'\0');
  const DWORD length =
      GetModuleFileNameW(nullptr, ToWin(&buffer[0]), static_cast<DWORD>(buffer.size()));
  buffer.resize(length < buffer.size() ? length : 0);
  return buffer;
}

std::u16string WorkingDirectory() {
  std::u16string buffer(32768, u'\0');
  const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), ToWin(&buffer[0]));
  buffer.resize(length < buffer.size() ? length : 0);
  return buffer;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

HFONT MessageFont() {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

void AddLine(HWND window, HFONT font, int id, int top, const std::u16string& text) {
  HWND line = CreateWindowExW(0, L"STATIC", ToWin(text.c_str()),
                              WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 16,
                              top, 600, 22, window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = ToWin(demotitle::kWindowClass);
  if (!RegisterClassExW(&window_class))
    return 1;

  const std::u16string path = OwnPath();
  const std::u16string name = path.substr(path.find_last_of(u'\\') + 1);
  HWND window =
      CreateWindowExW(0, ToWin(demotitle::kWindowClass), ToWin(name.c_str()),
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                      CW_USEDEFAULT, 650, 150, nullptr, nullptr, instance, nullptr);
  if (window == nullptr)
    return 1;
  HFONT font = MessageFont();
  AddLine(window, font, demotitle::kHeadingLine, 14, u"Demo title running");
  AddLine(window, font, demotitle::kProgramLine, 42, path);
  AddLine(window, font, demotitle::kWorkingDirectoryLine, 70, WorkingDirectory());
  ShowWindow(window, show);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(font);
  return 0;
}
