#pragma once
// A bitmap decoded from a resource of type "PNG" through the Windows Imaging Component. Controls
// that show bitmaps ignore transparency, so it is laid over a background colour while loading.
#include "platform/win32_api.h"

namespace winui {

class PngBitmap {
 public:
  PngBitmap() = default;
  PngBitmap(const PngBitmap&) = delete;
  PngBitmap& operator=(const PngBitmap&) = delete;
  virtual ~PngBitmap();

  // Replaces any bitmap held. False, holding none, when the resource is missing or undecodable,
  // or when the calling thread has not initialised COM (a ComApartment).
  bool Load(HMODULE module, UINT resource_id, COLORREF background);

  // Null while none is loaded.
  HBITMAP Handle() const { return bitmap_; }

 private:
  void Free();

  HBITMAP bitmap_ = nullptr;
};

}  // namespace winui
