// Which title image the launcher draws at which size, from the display's DPI.
#include <gtest/gtest.h>

#include <vector>

#include "launcher/title_images.h"
#include "resources/resource.h"

namespace {

TEST(TitleImages, SizeFollowsTheDpiToTheNearestPixel) {
  const struct {
    unsigned dpi;
    int width;
    int height;
  } rows[] = {
      {96, 44, 64},   {120, 55, 80},   {144, 66, 96}, {168, 77, 112},
      {192, 88, 128}, {288, 132, 192}, {100, 46, 67},  // 45.8 and 66.7 round up
      {72, 33, 48},
  };
  for (const auto& row : rows) {
    const PixelSize size = TitleImageSizeForDpi(row.dpi);
    EXPECT_EQ(size.width, row.width) << row.dpi;
    EXPECT_EQ(size.height, row.height) << row.dpi;
  }
}

TEST(TitleImages, EachScaleHasItsOwnRangeOfIds) {
  EXPECT_EQ(TitleImageResourceId(IDB_TITLE_FIRST, 1), 140u);
  EXPECT_EQ(TitleImageResourceId(IDB_TITLE_LAST, 1), 160u);
  EXPECT_EQ(TitleImageResourceId(IDB_TITLE_FIRST, 2), 340u);
  EXPECT_EQ(TitleImageResourceId(IDB_TITLE_LAST, 3), 560u);
}

// The smallest image that covers the size needed is scaled down; without one, the largest is
// scaled up.
TEST(TitleImages, PicksTheSmallestImageAtOrAboveTheSizeNeeded) {
  const std::vector<int> all = {1, 2, 3};
  const struct {
    const char* situation;
    std::vector<int> available;
    unsigned dpi;
    int expected;
  } rows[] = {
      {"100 %", all, 96, 1},
      {"a hair over 1x", all, 97, 2},
      {"150 %", all, 144, 2},
      {"200 %", all, 192, 2},
      {"250 %", all, 240, 3},
      {"300 %", all, 288, 3},
      {"above the largest", all, 384, 3},
      {"below 100 %", all, 72, 1},
      {"only 1x, at 200 %", {1}, 192, 1},
      {"1x and 3x, at 150 %", {1, 3}, 144, 3},
      {"in any order", {3, 1, 2}, 144, 2},
      {"none", {}, 144, 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(PickImageScale(row.available, TitleImageSizeForDpi(row.dpi)), row.expected)
        << row.situation;
  }
}

TEST(TitleImages, ASizeLargerInOneDirectionOnlyNeedsTheLargerImage) {
  EXPECT_EQ(PickImageScale({1, 2}, {44, 65}), 2);
  EXPECT_EQ(PickImageScale({1, 2}, {45, 64}), 2);
}

}  // namespace
