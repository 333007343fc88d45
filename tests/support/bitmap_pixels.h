#pragma once
// A bitmap's pixels read back, for tests that check what an image or a window shows.
#include <vector>

#include "platform/win32_api.h"

namespace testsupport {

struct BitmapPixels {
  LONG width = 0;
  LONG height = 0;
  std::vector<RGBQUAD> pixels;  // top-down rows
  RGBQUAD At(LONG x, LONG y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// As 32-bit pixels; empty for a null or unreadable bitmap.
BitmapPixels ReadBitmapPixels(HBITMAP bitmap);

}  // namespace testsupport
