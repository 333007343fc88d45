// One start of a process that decodes this build's seven title images at the size a DPI needs,
// either by stb_image as the launcher does or through the imaging component, and prints one
// line: the time to the first bitmap (loading the decoder included), to all seven, and the
// working set it added. bench/image_decoders/run starts it in turns and takes medians.
//
//   image_decoder_probe.exe wic|stb <dpi>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/clock.h"
#include "harness/wic_png_bitmap.h"
#include "launcher/title_images.h"
#include "platform/com_apartment.h"
#include "platform/win/png_bitmap.h"
#include "platform/win32_api.h"
#include "resources/resource.h"

#include <psapi.h>

namespace {

constexpr unsigned kFirstTrellImage = IDB_TITLE_FIRST + 14;
constexpr int kTitles = 7;

using benchclock::NowMs;

double WorkingSetKib() {
  PROCESS_MEMORY_COUNTERS memory = {};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
  return memory.WorkingSetSize / 1024.0;
}

unsigned ResourceFor(HMODULE module, unsigned image_id, PixelSize needed) {
  std::vector<int> scales;
  for (int scale = 1; scale <= IDB_TITLE_MAX_SCALE; ++scale) {
    if (winui::HasPngResource(module, TitleImageResourceId(image_id, scale)))
      scales.push_back(scale);
  }
  return TitleImageResourceId(image_id, PickImageScale(scales, needed));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: image_decoder_probe wic|stb <dpi>\n");
    return 2;
  }
  const bool wic = std::wstring(argv[1]) == L"wic";
  const PixelSize needed =
      TitleImageSizeForDpi(static_cast<unsigned>(std::wcstol(argv[2], nullptr, 10)));
  const ComApartment com;
  HMODULE module = GetModuleHandleW(nullptr);
  const COLORREF background = GetSysColor(COLOR_BTNFACE);
  const double memory_before = WorkingSetKib();
  const double started = NowMs();
  double first_ms = 0;
  {
    std::unique_ptr<harness::WicPngDecoder> wic_decoder;
    std::vector<harness::OwnedBitmap> wic_bitmaps;
    std::vector<std::unique_ptr<winui::PngBitmap>> stb_bitmaps;
    for (int title = 0; title < kTitles; ++title) {
      const unsigned resource = ResourceFor(module, kFirstTrellImage + title, needed);
      const auto width = static_cast<UINT>(needed.width);
      const auto height = static_cast<UINT>(needed.height);
      HBITMAP bitmap = nullptr;
      if (wic) {
        if (!wic_decoder)
          wic_decoder = std::make_unique<harness::WicPngDecoder>();
        wic_bitmaps.push_back(wic_decoder->Load(module, resource, background, width, height));
        bitmap = wic_bitmaps.back().get();
      } else {
        stb_bitmaps.push_back(std::make_unique<winui::PngBitmap>());
        stb_bitmaps.back()->Load(module, resource, background, width, height);
        bitmap = stb_bitmaps.back()->Handle();
      }
      if (bitmap == nullptr) {
        std::printf("%s: image %d could not be decoded\n", wic ? "wic" : "stb", title);
        return 1;
      }
      if (title == 0)
        first_ms = NowMs() - started;
    }
    const double all_ms = NowMs() - started;
    std::printf("%s %d x %d  first %.2f ms  all %.2f ms  working set +%.0f KiB\n",
                wic ? "wic" : "stb", needed.width, needed.height, first_ms, all_ms,
                WorkingSetKib() - memory_before);
  }
  return 0;
}
