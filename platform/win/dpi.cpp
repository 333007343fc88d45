#include "platform/win/dpi.h"

#include "platform/function_in.h"

namespace winui {
namespace {

template <class Function>
Function User32Function(const char* name) {
  // user32 is loaded in every process with a window; this takes no load of a library by name.
  return FunctionIn<Function>(GetModuleHandleW(ToWin(u"user32.dll")), name);
}

}  // namespace

UINT SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen != nullptr)
    ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi_for_window != nullptr) {
    const UINT dpi = get_dpi_for_window(window);
    if (dpi != 0)
      return dpi;
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
  using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
  static const auto get_metric_for_dpi =
      User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (get_metric_for_dpi != nullptr)
    return get_metric_for_dpi(index, dpi);
  // Without per-monitor DPI every window is at the system's DPI, which the metrics reflect.
  return GetSystemMetrics(index);
}

ScaledIcon::~ScaledIcon() {
  if (icon_ != nullptr)
    DestroyIcon(icon_);
}

bool ScaledIcon::Load(HMODULE module, UINT resource_id, int size) {
  HICON loaded = static_cast<HICON>(
      LoadImageW(module, MAKEINTRESOURCEW(resource_id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  if (loaded == nullptr)
    return false;
  if (icon_ != nullptr)
    DestroyIcon(icon_);
  icon_ = loaded;
  return true;
}

}  // namespace winui
