#include "launcher/title_images.h"

#include "resources/resource.h"

namespace {

int ScaleRounded(int pixels, unsigned dpi) {
  return static_cast<int>((static_cast<unsigned>(pixels) * dpi + kDefaultDpi / 2) / kDefaultDpi);
}

}  // namespace

PixelSize TitleImageSizeForDpi(unsigned dpi) {
  return {ScaleRounded(kTitleImageSize.width, dpi), ScaleRounded(kTitleImageSize.height, dpi)};
}

unsigned TitleImageResourceId(unsigned image_id, int scale) {
  return image_id + static_cast<unsigned>(scale - 1) * IDB_TITLE_SCALE_STEP;
}

int PickImageScale(const std::vector<int>& available_scales, PixelSize needed) {
  int smallest_covering = 0;
  int largest = 0;
  for (int scale : available_scales) {
    if (scale > largest)
      largest = scale;
    const bool covers = kTitleImageSize.width * scale >= needed.width &&
                        kTitleImageSize.height * scale >= needed.height;
    if (covers && (smallest_covering == 0 || scale < smallest_covering))
      smallest_covering = scale;
  }
  return smallest_covering != 0 ? smallest_covering : largest;
}
