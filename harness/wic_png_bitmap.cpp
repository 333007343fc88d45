#include "harness/wic_png_bitmap.h"

#include <wincodec.h>

#include "platform/alpha_blend.h"
#include "platform/bgra_layout.h"
#include "platform/win/bgra_bitmap.h"

namespace harness {
namespace {

using winui::ComPtr;

// The image as premultiplied BGRA, so that scaling lends transparent pixels' colour to nobody.
bool DecodeFrame(IWICImagingFactory* factory, IClassFactory* png_decoders, const BYTE* png,
                 DWORD size, ComPtr<IWICFormatConverter>& out) {
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  return SUCCEEDED(factory->CreateStream(stream.Receive())) &&
         SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(png), size)) &&
         SUCCEEDED(png_decoders->CreateInstance(nullptr, IID_IWICBitmapDecoder,
                                                reinterpret_cast<void**>(decoder.Receive()))) &&
         SUCCEEDED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnLoad)) &&
         SUCCEEDED(decoder->GetFrame(0, frame.Receive())) &&
         SUCCEEDED(factory->CreateFormatConverter(out.Receive())) &&
         SUCCEEDED(out->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom));
}

bool CreateScaler(IWICImagingFactory* factory, IWICBitmapSource* source, UINT width, UINT height,
                  WICBitmapInterpolationMode mode, ComPtr<IWICBitmapScaler>& out) {
  return SUCCEEDED(factory->CreateBitmapScaler(out.Receive())) &&
         SUCCEEDED(out->Initialize(source, width, height, mode));
}

OwnedBitmap OpaqueBitmapFrom(IWICBitmapSource* source, COLORREF background) {
  UINT width = 0;
  UINT height = 0;
  if (FAILED(source->GetSize(&width, &height)))
    return nullptr;
  const std::optional<winui::BgraLayout> layout = winui::BgraLayoutFor(width, height);
  uint8_t* bits = nullptr;
  OwnedBitmap bitmap(winui::NewTopDownBgraBitmap(width, height, &bits));
  if (!bitmap || !layout ||
      FAILED(source->CopyPixels(nullptr, layout->stride, layout->size, bits))) {
    return nullptr;
  }
  winui::ComposeOverOpaqueColour(bits, size_t{width} * height, GetRValue(background),
                                 GetGValue(background), GetBValue(background));
  return bitmap;
}

}  // namespace

// By class id: asked to find a decoder for the data, the factory would weigh every decoder the
// system has, which costs more than decoding.
WicPngDecoder::WicPngDecoder() {
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                   reinterpret_cast<void**>(factory_.Receive()));
  CoGetClassObject(CLSID_WICPngDecoder, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                   reinterpret_cast<void**>(png_decoders_.Receive()));
}

WicPngDecoder::~WicPngDecoder() = default;

OwnedBitmap WicPngDecoder::Load(HMODULE module, UINT resource_id, COLORREF background, UINT width,
                                UINT height) const {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource_id), ToWin(u"PNG"));
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  if (factory_.Get() == nullptr || png_decoders_.Get() == nullptr || loaded == nullptr)
    return nullptr;
  ComPtr<IWICFormatConverter> pixels;
  if (!DecodeFrame(factory_.Get(), png_decoders_.Get(),
                   static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found),
                   pixels)) {
    return nullptr;
  }
  UINT natural_width = 0;
  UINT natural_height = 0;
  if (FAILED(pixels->GetSize(&natural_width, &natural_height)))
    return nullptr;
  if (width == 0 || height == 0 || (width == natural_width && height == natural_height))
    return OpaqueBitmapFrom(pixels.Get(), background);
  // High-quality cubic where the system has it (Windows 10), else the best of Windows 7's.
  constexpr auto kHighQualityCubic = static_cast<WICBitmapInterpolationMode>(4);
  ComPtr<IWICBitmapScaler> scaler;
  if (CreateScaler(factory_.Get(), pixels.Get(), width, height, kHighQualityCubic, scaler))
    return OpaqueBitmapFrom(scaler.Get(), background);
  ComPtr<IWICBitmapScaler> fant;
  if (CreateScaler(factory_.Get(), pixels.Get(), width, height, WICBitmapInterpolationModeFant,
                   fant)) {
    return OpaqueBitmapFrom(fant.Get(), background);
  }
  return nullptr;
}

}  // namespace harness
