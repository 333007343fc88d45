#include "platform/win/bgra_bitmap.h"

#include "platform/bgra_layout.h"

namespace winui {

HBITMAP NewTopDownBgraBitmap(UINT width, UINT height, uint8_t** bits) {
  *bits = nullptr;
  if (width == 0 || height == 0 || !BgraLayoutFor(width, height))
    return nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // negative: top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bitmap != nullptr)
    *bits = static_cast<uint8_t*>(pixels);
  return bitmap;
}

}  // namespace winui
