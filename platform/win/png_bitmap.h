#pragma once
// A bitmap decoded from a resource of type "PNG". Controls that show bitmaps ignore transparency,
// so it is laid over a background colour while loading.
#include "platform/win32_api.h"

namespace winui {

// Whether the module holds a resource `resource_id` of type "PNG".
bool HasPngResource(HMODULE module, UINT resource_id);

class PngBitmap {
 public:
  PngBitmap() = default;
  PngBitmap(const PngBitmap&) = delete;
  PngBitmap& operator=(const PngBitmap&) = delete;
  ~PngBitmap();

  // Replaces any bitmap held. False, holding none, when the resource is missing or undecodable.
  bool Load(HMODULE module, UINT resource_id, COLORREF background);
  // The same, scaled to `width` x `height` pixels by a cubic filter weighted by alpha.
  bool Load(HMODULE module, UINT resource_id, COLORREF background, UINT width, UINT height);

  // So that a control can be given a new bitmap before its old one is freed.
  void Swap(PngBitmap& other) noexcept;

  // Null while none is loaded.
  HBITMAP Handle() const { return bitmap_; }

 private:
  void Free();

  HBITMAP bitmap_ = nullptr;
};

}  // namespace winui
