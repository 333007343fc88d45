#include "bench/image_decoders/stb_png_bitmap.h"

#include <cstdint>
#include <vector>

#include "platform/alpha_blend.h"

#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

namespace decoders {

HBITMAP LoadStbPngBitmap(HMODULE module, UINT resource_id, COLORREF background, UINT width,
                         UINT height) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource_id), ToWin(u"PNG"));
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (loaded == nullptr)
    return nullptr;
  int natural_width = 0;
  int natural_height = 0;
  int channels = 0;
  stbi_uc* rgba = stbi_load_from_memory(static_cast<const stbi_uc*>(LockResource(loaded)),
                                        static_cast<int>(SizeofResource(module, found)),
                                        &natural_width, &natural_height, &channels, 4);
  if (rgba == nullptr)
    return nullptr;
  std::vector<uint8_t> scaled(size_t{width} * height * 4);
  const int resized = stbir_resize_uint8_generic(
      rgba, natural_width, natural_height, 0, scaled.data(), static_cast<int>(width),
      static_cast<int>(height), 0, 4, 3, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_MITCHELL,
      STBIR_COLORSPACE_LINEAR, nullptr);
  stbi_image_free(rgba);
  if (!resized)
    return nullptr;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr)
    return nullptr;
  auto* bgra = static_cast<uint8_t*>(bits);
  for (size_t i = 0; i < size_t{width} * height; ++i) {
    const uint8_t* from = &scaled[4 * i];
    uint8_t* to = bgra + 4 * i;
    const unsigned alpha = from[3];
    to[0] = static_cast<uint8_t>((from[2] * alpha + 127) / 255);
    to[1] = static_cast<uint8_t>((from[1] * alpha + 127) / 255);
    to[2] = static_cast<uint8_t>((from[0] * alpha + 127) / 255);
    to[3] = static_cast<uint8_t>(alpha);
  }
  winui::ComposeOverOpaqueColour(bgra, size_t{width} * height, GetRValue(background),
                                 GetGValue(background), GetBValue(background));
  return bitmap;
}

}  // namespace decoders
