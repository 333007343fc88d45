#pragma once
// The DPI a window is shown at, and what follows from it, on systems old and new: the
// per-monitor functions are looked up at run time, since older systems (and mingw's headers for
// them) lack them.
#include "platform/win32_api.h"

namespace winui {

// The DPI of the primary display at start-up, which windows not aware of per-monitor DPI use.
UINT SystemDpi();

// The window's DPI; on systems without per-monitor DPI, the system's.
UINT WindowDpi(HWND window);

// A system metric (SM_CXICON...) at `dpi`.
int SystemMetricForDpi(int index, UINT dpi);

// An icon resource loaded at the size it is shown at, destroyed with the object.
class ScaledIcon {
 public:
  ScaledIcon() = default;
  ScaledIcon(const ScaledIcon&) = delete;
  ScaledIcon& operator=(const ScaledIcon&) = delete;
  ~ScaledIcon();

  // Replaces the icon held by the group's image of `size` pixels (or the nearest); false, keeping
  // the old one, when it cannot be loaded.
  bool Load(HMODULE module, UINT resource_id, int size);
  HICON Handle() const { return icon_; }

 private:
  HICON icon_ = nullptr;
};

}  // namespace winui
