#include "platform/main_window.h"

namespace {
HWND main_window = nullptr;
}  // namespace

HWND MainWindow() {
  return main_window;
}

void SetMainWindow(HWND window) {
  main_window = window;
}
