#include "launcher/title_bitmaps.h"

#include "launcher/title_images.h"
#include "resources/resource.h"
#include "titles/app_list.h"

TitleBitmaps DecodeTitleBitmaps(HMODULE module, UINT dpi, COLORREF background) {
  const PixelSize needed = TitleImageSizeForDpi(dpi);
  TitleBitmaps bitmaps;
  for (uint32_t i = 0; i < GetAppList()->Count(); ++i) {
    const auto image_id = static_cast<unsigned>(GetAppList()->GetAt(i)->ImageId);
    std::vector<int> scales;
    for (int scale = 1; scale <= IDB_TITLE_MAX_SCALE; ++scale) {
      if (winui::HasPngResource(module, TitleImageResourceId(image_id, scale)))
        scales.push_back(scale);
    }
    auto image = std::make_unique<winui::PngBitmap>();
    image->Load(module, TitleImageResourceId(image_id, PickImageScale(scales, needed)), background,
                static_cast<UINT>(needed.width), static_cast<UINT>(needed.height));
    bitmaps.push_back(std::move(image));
  }
  return bitmaps;
}
