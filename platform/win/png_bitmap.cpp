#include "platform/win/png_bitmap.h"

#include <wincodec.h>

#include "platform/alpha_blend.h"
#include "platform/bgra_layout.h"
#include "platform/win/com_ptr.h"

namespace winui {
namespace {

struct ResourceBytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

ResourceBytes FindPngResource(HMODULE module, UINT resource_id) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource_id), ToWin(u"PNG"));
  if (found == nullptr)
    return {};
  HGLOBAL loaded = LoadResource(module, found);
  if (loaded == nullptr)
    return {};
  return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

// The first frame as premultiplied BGRA, so that blending needs no division.
bool DecodeFrame(const ImagingFactory& imaging, ResourceBytes png,
                 ComPtr<IWICFormatConverter>& out) {
  IWICImagingFactory* factory = imaging.Get();
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  return SUCCEEDED(factory->CreateStream(stream.Receive())) &&
         SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data), png.size)) &&
         imaging.NewPngDecoder(decoder) &&
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

HBITMAP CreateOpaqueBitmap(IWICBitmapSource* source, COLORREF background) {
  UINT width = 0;
  UINT height = 0;
  if (FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0)
    return nullptr;
  const std::optional<BgraLayout> layout = BgraLayoutFor(width, height);
  if (!layout)
    return nullptr;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC delivers rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr)
    return nullptr;

  if (FAILED(source->CopyPixels(nullptr, layout->stride, layout->size, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  ComposeOverOpaqueColour(static_cast<uint8_t*>(bits), size_t{width} * height,
                          GetRValue(background), GetGValue(background), GetBValue(background));
  return bitmap;
}

}  // namespace

// Activated by class id: COM loads the codec from its registered path, never by a bare name. The
// PNG decoder is made directly: asked to find one for the data, the imaging factory would weigh
// every decoder the system has, which costs more than decoding.
ImagingFactory::ImagingFactory() {
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                   reinterpret_cast<void**>(factory_.Receive()));
  CoGetClassObject(CLSID_WICPngDecoder, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                   reinterpret_cast<void**>(png_decoders_.Receive()));
}

bool ImagingFactory::NewPngDecoder(ComPtr<IWICBitmapDecoder>& decoder) const {
  return png_decoders_.Get() != nullptr &&
         SUCCEEDED(png_decoders_->CreateInstance(nullptr, IID_IWICBitmapDecoder,
                                                 reinterpret_cast<void**>(decoder.Receive())));
}

ImagingFactory::~ImagingFactory() = default;

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

bool PngBitmap::Load(HMODULE module, UINT resource_id, COLORREF background) {
  return Load(module, resource_id, background, 0, 0);
}

void PngBitmap::Swap(PngBitmap& other) noexcept {
  HBITMAP held = bitmap_;
  bitmap_ = other.bitmap_;
  other.bitmap_ = held;
}

bool PngBitmap::Load(HMODULE module, UINT resource_id, COLORREF background, UINT width,
                     UINT height) {
  const ImagingFactory factory;
  return Load(factory, module, resource_id, background, width, height);
}

bool PngBitmap::Load(const ImagingFactory& imaging, HMODULE module, UINT resource_id,
                     COLORREF background, UINT width, UINT height) {
  Free();
  IWICImagingFactory* factory = imaging.Get();
  const ResourceBytes png = FindPngResource(module, resource_id);
  if (factory == nullptr || png.data == nullptr || png.size == 0)
    return false;

  ComPtr<IWICFormatConverter> pixels;
  if (!DecodeFrame(imaging, png, pixels))
    return false;
  UINT natural_width = 0;
  UINT natural_height = 0;
  if (FAILED(pixels->GetSize(&natural_width, &natural_height)))
    return false;
  const bool scaled =
      width != 0 && height != 0 && (width != natural_width || height != natural_height);
  if (!scaled) {
    bitmap_ = CreateOpaqueBitmap(pixels.Get(), background);
    return bitmap_ != nullptr;
  }
  // Scaled in premultiplied form, so that transparent pixels lend no colour to their neighbours.
  // WIC's best interpolation where the system has it (Windows 10), else the best of Windows 7's.
  constexpr auto kHighQualityCubic = static_cast<WICBitmapInterpolationMode>(4);
  ComPtr<IWICBitmapScaler> cubic;
  ComPtr<IWICBitmapScaler> fant;
  IWICBitmapSource* resized = nullptr;
  if (CreateScaler(factory, pixels.Get(), width, height, kHighQualityCubic, cubic)) {
    resized = cubic.Get();
  } else if (CreateScaler(factory, pixels.Get(), width, height, WICBitmapInterpolationModeFant,
                          fant)) {
    resized = fant.Get();
  } else {
    return false;
  }
  bitmap_ = CreateOpaqueBitmap(resized, background);
  return bitmap_ != nullptr;
}

}  // namespace winui
