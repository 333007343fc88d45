#pragma once
// A bitmap decoded from a resource of type "PNG" through the Windows Imaging Component. Controls
// that show bitmaps ignore transparency, so it is laid over a background colour while loading.
#include "platform/win/com_ptr.h"
#include "platform/win32_api.h"

struct IClassFactory;
struct IWICBitmapDecoder;
struct IWICImagingFactory;

namespace winui {

// The imaging component's factories, made once for a batch of images rather than for each: its own,
// and the PNG decoder's class object.
class ImagingFactory {
 public:
  // Holds none when the calling thread has not initialised COM (a ComApartment).
  ImagingFactory();
  ImagingFactory(const ImagingFactory&) = delete;
  ImagingFactory& operator=(const ImagingFactory&) = delete;
  ~ImagingFactory();

  IWICImagingFactory* Get() const { return factory_.Get(); }
  // A new PNG decoder, or false.
  bool NewPngDecoder(ComPtr<IWICBitmapDecoder>& decoder) const;

 private:
  ComPtr<IWICImagingFactory> factory_;
  ComPtr<IClassFactory> png_decoders_;
};

// Whether the module holds a resource `resource_id` of type "PNG".
bool HasPngResource(HMODULE module, UINT resource_id);

class PngBitmap {
 public:
  PngBitmap() = default;
  PngBitmap(const PngBitmap&) = delete;
  PngBitmap& operator=(const PngBitmap&) = delete;
  ~PngBitmap();

  // Replaces any bitmap held. False, holding none, when the resource is missing or undecodable,
  // or when the calling thread has not initialised COM (a ComApartment).
  bool Load(HMODULE module, UINT resource_id, COLORREF background);
  // The same, scaled to `width` x `height` pixels with high-quality interpolation.
  bool Load(HMODULE module, UINT resource_id, COLORREF background, UINT width, UINT height);
  bool Load(const ImagingFactory& factory, HMODULE module, UINT resource_id, COLORREF background,
            UINT width, UINT height);

  // So that a control can be given a new bitmap before its old one is freed.
  void Swap(PngBitmap& other) noexcept;

  // Null while none is loaded.
  HBITMAP Handle() const { return bitmap_; }

 private:
  void Free();

  HBITMAP bitmap_ = nullptr;
};

}  // namespace winui
