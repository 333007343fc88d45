#pragma once
// PNG resources decoded and scaled by the Windows Imaging Component, the system's own decoder: what
// the tests and bench/image_decoders hold the launcher's decoder against.
#include <memory>
#include <type_traits>

#include "platform/win/com_ptr.h"
#include "platform/win32_api.h"

struct IClassFactory;
struct IWICImagingFactory;

namespace harness {

struct DeleteBitmap {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteBitmap>;

class WicPngDecoder {
 public:
  // Decodes nothing when the calling thread has not initialised COM.
  WicPngDecoder();
  WicPngDecoder(const WicPngDecoder&) = delete;
  WicPngDecoder& operator=(const WicPngDecoder&) = delete;
  ~WicPngDecoder();

  // The module's "PNG" resource laid over `background`, at its own size when `width` or `height`
  // is 0, else scaled by the best interpolation the system has; null when any step fails.
  OwnedBitmap Load(HMODULE module, UINT resource_id, COLORREF background, UINT width = 0,
                   UINT height = 0) const;

 private:
  winui::ComPtr<IWICImagingFactory> factory_;
  winui::ComPtr<IClassFactory> png_decoders_;
};

}  // namespace harness
