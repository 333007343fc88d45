#pragma once
// Painting of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
#include "platform/win32_api.h"

namespace winui {

class PaintContext {
 public:
  explicit PaintContext(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintContext(const PaintContext&) = delete;
  PaintContext& operator=(const PaintContext&) = delete;
  ~PaintContext() { EndPaint(window_, &paint_); }

  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
  HDC dc_;
};

}  // namespace winui
