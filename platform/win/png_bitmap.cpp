#include "platform/win/png_bitmap.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/alpha_blend.h"
#include "platform/bgra_layout.h"
#include "platform/win/bgra_bitmap.h"

// The decoder reads only our own PNG resources, from memory. No SIMD paths: 32-bit Windows keeps
// the stack only 4-byte aligned in a window procedure, and the images are small. No failure
// strings: they would be thread-local storage, for text nobody reads.
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_SIMD
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_THREAD_LOCALS
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

namespace winui {
namespace {

struct ResourceBytes {
  const stbi_uc* data = nullptr;
  DWORD size = 0;
};

ResourceBytes FindPngResource(HMODULE module, UINT resource_id) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource_id), ToWin(u"PNG"));
  if (found == nullptr)
    return {};
  HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr)
    return {};
  return {static_cast<const stbi_uc*>(LockResource(loaded)), SizeofResource(module, found)};
}

struct FreeDecoded {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};
using DecodedPixels = std::unique_ptr<stbi_uc, FreeDecoded>;

}  // namespace

bool HasPngResource(HMODULE module, UINT resource_id) {
  return FindResourceW(module, MAKEINTRESOURCEW(resource_id), ToWin(u"PNG")) != nullptr;
}

PngBitmap::~PngBitmap() {
  Free();
}

void PngBitmap::Free() {
  if (bitmap_ != nullptr)
    DeleteObject(bitmap_);
  bitmap_ = nullptr;
}

void PngBitmap::Swap(PngBitmap& other) noexcept {
  HBITMAP held = bitmap_;
  bitmap_ = other.bitmap_;
  other.bitmap_ = held;
}

bool PngBitmap::Load(HMODULE module, UINT resource_id, COLORREF background) {
  return Load(module, resource_id, background, 0, 0);
}

bool PngBitmap::Load(HMODULE module, UINT resource_id, COLORREF background, UINT width,
                     UINT height) {
  Free();
  const ResourceBytes png = FindPngResource(module, resource_id);
  if (png.data == nullptr || png.size == 0 || png.size > INT_MAX)
    return false;
  int natural_width = 0;
  int natural_height = 0;
  int channels_in_file = 0;
  const DecodedPixels decoded(stbi_load_from_memory(png.data, static_cast<int>(png.size),
                                                    &natural_width, &natural_height,
                                                    &channels_in_file, STBI_rgb_alpha));
  if (!decoded)
    return false;
  if (width == 0 || height == 0) {
    width = static_cast<UINT>(natural_width);
    height = static_cast<UINT>(natural_height);
  }
  const std::optional<BgraLayout> layout = BgraLayoutFor(width, height);
  if (!layout)
    return false;

  const uint8_t* rgba = decoded.get();
  std::vector<uint8_t> scaled;
  if (width != static_cast<UINT>(natural_width) || height != static_cast<UINT>(natural_height)) {
    // Weighted by alpha, so that transparent pixels lend no colour to their neighbours; Mitchell's
    // cubic, which neither blurs like a box nor rings like a sharper cubic at the art's edges.
    scaled.resize(layout->size);
    if (!stbir_resize_uint8_generic(decoded.get(), natural_width, natural_height, 0, scaled.data(),
                                    static_cast<int>(width), static_cast<int>(height), 0, 4, 3, 0,
                                    STBIR_EDGE_CLAMP, STBIR_FILTER_MITCHELL,
                                    STBIR_COLORSPACE_LINEAR, nullptr)) {
      return false;
    }
    rgba = scaled.data();
  }
  uint8_t* bits = nullptr;
  bitmap_ = NewTopDownBgraBitmap(width, height, &bits);
  if (bitmap_ == nullptr)
    return false;
  ComposeRgbaOverOpaqueColour(rgba, bits, size_t{width} * height, GetRValue(background),
                              GetGValue(background), GetBValue(background));
  return true;
}

}  // namespace winui
