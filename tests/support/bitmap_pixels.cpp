#include "tests/support/bitmap_pixels.h"

namespace testsupport {

BitmapPixels ReadBitmapPixels(HBITMAP bitmap) {
  BitmapPixels result;
  BITMAP info = {};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0)
    return result;
  result.width = info.bmWidth;
  result.height = info.bmHeight;
  result.pixels.resize(static_cast<size_t>(info.bmWidth * info.bmHeight));
  BITMAPINFO request = {};
  request.bmiHeader.biSize = sizeof(request.bmiHeader);
  request.bmiHeader.biWidth = info.bmWidth;
  request.bmiHeader.biHeight = -info.bmHeight;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), result.pixels.data(), &request,
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return result;
}

}  // namespace testsupport
