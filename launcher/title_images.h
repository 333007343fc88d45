#pragma once
// Which of a title's images to draw, and at what size, on a display of a given DPI. Each title
// image exists at 1x (44 x 64 pixels) and, where the art provides them, at 2x and 3x.
#include <vector>

struct PixelSize {
  int width;
  int height;
};

constexpr PixelSize kTitleImageSize = {44, 64};
constexpr unsigned kDefaultDpi = 96;

// The title image's size at `dpi`, rounded to the nearest pixel.
PixelSize TitleImageSizeForDpi(unsigned dpi);

// The resource id of title image `image_id` (140 to 160) drawn at `scale` (1, 2 or 3).
unsigned TitleImageResourceId(unsigned image_id, int scale);

// Of the scales of which an image exists, the smallest whose image is at least `needed` in both
// directions, so that it is only ever scaled down; without one, the largest. 0 when none exists.
int PickImageScale(const std::vector<int>& available_scales, PixelSize needed);
